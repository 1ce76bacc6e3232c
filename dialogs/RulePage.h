#pragma once

#include "core/TimerRecord.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace qv {

// One rule's page of the timer settings dialog: its controls, their layout,
// what they do while the user works them, and its part of filling the dialog
// from a timer and saving it back. Controls are named R1..., R2..., R3... after
// the rule, as the other windows and the help know them.
class RulePage : public QWidget {
    Q_OBJECT

public:
    // What the page leaves to its dialog: the previews it shares with the
    // general announcement, and the file dialog it shares with the expiry sound
    // (`width` is the longest path the rule's column keeps).
    struct Shared {
        std::function<void(int action, const QLabel* customPath)> preview;
        std::function<void(QLabel* pathHolder, QLineEdit* shown, int width)> browse;
        std::function<int()> fileWidth;
    };

    // `rule` counts from 0.
    RulePage(int rule, Shared shared, QWidget* parent = nullptr);

    void fill(const TimerRule& rule);
    void save(TimerRule& rule) const;

    // A rule time field changed: checked, padded to two digits, and its spinner
    // set. False when the field is not one of this page's.
    bool fieldChange(QLineEdit* field);
    void spinClick(QSpinBox* spin);
    void actionChange();
    void preview();
    void browse();

private:
    void build(int rule);

    Shared m_shared;
    QCheckBox* m_enable = nullptr;
    std::array<QLineEdit*, 3> m_fields{}; // hours, minutes, seconds
    std::array<QSpinBox*, 3> m_spins{};
    QComboBox* m_interval = nullptr;
    QComboBox* m_action = nullptr;
    QToolButton* m_previewButton = nullptr;
    QLineEdit* m_filename = nullptr;
    QToolButton* m_browseButton = nullptr;
    QLabel* m_path = nullptr;
};

} // namespace qv
