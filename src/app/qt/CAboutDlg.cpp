#include "app/qt/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "platform/Platform.h"

namespace tagloom {

namespace {

// An envelope, drawn as the mail button's picture.
QIcon envelopeIcon() {
    QPixmap picture(32, 22);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 70, 140), 1.5));
    painter.setBrush(QColor(250, 246, 230));
    painter.drawRect(QRectF(1.5, 1.5, 29, 19));
    painter.drawPolyline(QPolygonF({QPointF(1.5, 1.5), QPointF(16, 12), QPointF(30.5, 1.5)}));
    return QIcon(picture);
}

}  // namespace

CAboutDlg::CAboutDlg(Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform), mail_(new QPushButton(envelopeIcon(), QStringLiteral("email"), this)) {
    setWindowTitle(QStringLiteral("About Tagloom"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/tagloom/packaging/tagloom.svg")).pixmap(48, 48));
    auto* purpose = new QLabel(QStringLiteral("Tagloom is specifically configured for editing HTML, CSS, PHP and Java "
                                              "Script files, but may be used with any ASCII file."),
                               this);
    purpose->setWordWrap(true);
    mail_->setCursor(Qt::PointingHandCursor);
    mail_->setAutoDefault(false);
    connect(mail_, &QPushButton::clicked, this, &CAboutDlg::sendMail);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setIcon(QIcon());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("Tagloom Version 1.003"), this), 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Last Updated 12/08/2010"), this), 1, 1, 1, 2);
    layout->addWidget(purpose, 2, 1, 1, 2);
    auto* audience = new QLabel(QStringLiteral("Written by hand for people who write web pages by hand."), this);
    audience->setWordWrap(true);
    layout->addWidget(audience, 3, 1, 1, 2);
    layout->addWidget(mail_, 4, 1);
    layout->addWidget(new QLabel(QString::fromLatin1(kAuthorAddress), this), 4, 2);
    layout->addWidget(buttons, 5, 0, 1, 3);
    setFixedWidth(fontMetrics().averageCharWidth() * 60);
}

void CAboutDlg::sendMail() {
    const std::string url = std::string("mailto:") + kAuthorAddress + "?subject=Concerning your program Tagloom";
    QPointer<CAboutDlg> self(this);
    platform_.launcher.runHelper("xdg-open", {url}, [self, this](const LaunchResult& result) {
        if (!result.ok && self)
            platform_.prompter.ask({"Problem sending mail.", "Send Orvan Mail", Buttons::Ok, Icon::Error, 0});
    });
}

}  // namespace tagloom
