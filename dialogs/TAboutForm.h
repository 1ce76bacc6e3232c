#pragma once

#include <QDialog>
#include <QPixmap>
#include <QUrl>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace qv {

// The about box: logo, version with the ownership line, and the maker's web
// address, which opens in the user's browser when clicked.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static QString versionText();
    static QUrl webAddress();
    // The contrast ratio of two colours as readability guidelines define it
    // (1 to 21).
    static double contrastRatio(const QColor& a, const QColor& b);

    explicit TAboutForm(const QPixmap& logo, QWidget* parent = nullptr);

    // Opens a web address; the desktop's browser unless a test puts in its own.
    std::function<bool(const QUrl&)> OpenUrl;

public Q_SLOTS:
    void StaticText2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QFrame* Panel1 = nullptr;
    QLabel* LMDLImage1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace qv
