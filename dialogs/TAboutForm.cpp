#include "dialogs/TAboutForm.h"

#include "widgets/GrowToContents.h"
#include "widgets/PaletteKind.h"

#include <ProgramVersion.h>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace qv {

QString TAboutForm::versionText() {
    return tr("Ver %1  \u00A9 %2 Brindlemoor Software")
        .arg(QStringLiteral(QV_VERSION), QStringLiteral(QV_RELEASE_YEAR));
}

double TAboutForm::contrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QUrl TAboutForm::webAddress() {
    return QUrl(QStringLiteral("https://www.brindlemoor.net/quorvantel"));
}

TAboutForm::TAboutForm(const QPixmap& logo, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About Quorvantel"));
    setFixedSize(355, 211);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(72, 8, 214, 57);

    LMDLImage1 = new QLabel(Panel1);
    LMDLImage1->setObjectName(QStringLiteral("LMDLImage1"));
    LMDLImage1->setGeometry(5, 6, 202, 45);
    LMDLImage1->setPixmap(logo);
    LMDLImage1->setAccessibleName(tr("Quorvantel logo"));

    StaticText1 = new QLabel(versionText(), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(8, 78, 337, 17);
    StaticText1->setAlignment(Qt::AlignCenter);
    // Black and blue on the light dialogs they were chosen for; on a dark
    // palette the palette's own text and link colours stay readable.
    const bool dark = isDarkPalette(palette());
    QPalette black = StaticText1->palette();
    black.setColor(QPalette::WindowText, dark ? palette().color(QPalette::WindowText) : Qt::black);
    StaticText1->setPalette(black);

    StaticText2 = new QLabel(webAddress().toString(), this);
    StaticText2->setObjectName(QStringLiteral("StaticText2"));
    StaticText2->setGeometry(8, 94, 337, 17);
    StaticText2->setAlignment(Qt::AlignCenter);
    QFont link = StaticText2->font();
    link.setUnderline(true);
    StaticText2->setFont(link);
    QPalette blue = StaticText2->palette();
    QColor linkColor = palette().color(QPalette::Link);
    if (contrastRatio(linkColor, palette().color(QPalette::Window)) < 4.5)
        linkColor = palette().color(QPalette::WindowText);
    blue.setColor(QPalette::WindowText, dark ? linkColor : QColor(Qt::blue));
    StaticText2->setPalette(blue);
    StaticText2->setCursor(Qt::PointingHandCursor);
    StaticText2->setToolTip(tr("Visit the Quorvantel web site"));
    StaticText2->installEventFilter(this);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(136, 160, 81, 33);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    growToContents(this);
}

void TAboutForm::StaticText2Click() {
    // A browser that fails to start is the desktop's to report; the box stays.
    if (OpenUrl)
        OpenUrl(webAddress());
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StaticText2 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            StaticText2->rect().contains(mouse->position().toPoint())) {
            StaticText2Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::showEvent(QShowEvent* event) {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace qv
