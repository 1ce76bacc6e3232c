#pragma once

class QSessionManager;

namespace qv {

// The session manager's request to save at logout or shutdown, as the main
// window answers it. The program hands in the real QSessionManager; tests a
// stand-in that records what was asked.
class SessionRequest {
public:
    virtual ~SessionRequest() = default;
    // Asks the session for leave to show a question; false where the session
    // allows none.
    virtual bool allowsInteraction() = 0;
    // The question has been answered.
    virtual void release() = 0;
    // The logout does not go on.
    virtual void cancel() = 0;
};

// The request of Qt's session manager.
class QtSessionRequest final : public SessionRequest {
public:
    explicit QtSessionRequest(QSessionManager& manager) : m_manager(manager) {}
    bool allowsInteraction() override;
    void release() override;
    void cancel() override;

private:
    QSessionManager& m_manager;
};

} // namespace qv
