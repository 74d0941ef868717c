#include "settings/ui/AboutBox.h"

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "settings/LanguageEntries.h"
#include "settings/VersionLine.h"
#include "settings/ui/SkinPictures.h"
#include "settings/ui/WindowPalette.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace plandeck {

void CopyWebAddress(QWidget* parent, const LanguageTable& language) {
    Shell::copyText(QString::fromLatin1(kWebAddress));
    Dialogs::message(parent, FromFileText(language.entry(Entry::AddressCopied)), QStringLiteral("Plandeck"),
                     Dialogs::Buttons::Ok);
}

void OpenHelp(QWidget* parent, const DataDirectory& dataDir, const LanguageTable& language) {
    const QString page = QString::fromStdString(dataDir.helpPage());
    if (!Shell::openDocument(page))
        Dialogs::message(parent, FromFileText(language.entry(Entry::HelpNotOpened)) + QStringLiteral("\n") + page,
                         QStringLiteral("Plandeck"), Dialogs::Buttons::Ok, true);
}

QString ProgramVersionLine() {
    return QString::fromStdString(
        VersionLine(PLANDECK_VERSION_MAJOR, PLANDECK_VERSION_MINOR, PLANDECK_VERSION_BUILD, PLANDECK_VERSION_REVISION));
}

AboutBox::AboutBox(const DataDirectory& dataDir, const LanguageTable& language, QWidget* parent)
    : QWidget(parent, Qt::Window), m_language(language) {
    setObjectName(QStringLiteral("frmaboutpd"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(440, 330);
    setStyleSheet(QStringLiteral("QWidget#frmaboutpd { background: palette(window); }"));

    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("Image1"));
    m_logo->setGeometry(20, 20, 64, 64);
    // Drawn smoothly at the screen's pixels on a scaled screen (the logo is as large as its place).
    m_logo->setScaledContents(true);
    const QImage logo = ReadPictureFile(dataDir.aboutLogo());
    if (!logo.isNull())
        m_logo->setPixmap(QPixmap::fromImage(logo));

    m_name = new QLabel(QStringLiteral("Plandeck"), this);
    m_name->setObjectName(QStringLiteral("Label1"));
    m_name->setGeometry(100, 18, 320, 34);
    QFont nameFont = m_name->font();
    nameFont.setPixelSize(26);
    nameFont.setBold(true);
    m_name->setFont(nameFont);

    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Label2"));
    m_version->setGeometry(102, 52, 320, 20);

    m_motto = new QLabel(this);
    m_motto->setObjectName(QStringLiteral("Label42"));
    m_motto->setGeometry(102, 72, 320, 20);
    QFont mottoFont = m_motto->font();
    mottoFont.setItalic(true);
    m_motto->setFont(mottoFont);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(20, 104, 400, 140);
    m_text->setReadOnly(true);

    m_web = new QLabel(QString::fromLatin1(kWebAddress), this);
    m_web->setObjectName(QStringLiteral("Label3"));
    m_web->setGeometry(20, 254, 400, 22);
    m_web->setCursor(Qt::PointingHandCursor);
    m_web->setStyleSheet(QStringLiteral("color: palette(link); text-decoration: underline;"));
    m_web->installEventFilter(this);

    m_maker = new QLabel(QStringLiteral("Made for people who like to see their week on one page."), this);
    m_maker->setObjectName(QStringLiteral("Text2"));
    m_maker->setGeometry(20, 284, 400, 30);
    m_maker->setWordWrap(true);
    // Quieter than the other text, yet readable on the skin's ground.
    m_maker->setStyleSheet(
        QStringLiteral("color: %1;")
            .arg(SkinColour(MixColours(ShownSkinPalette().window, ShownSkinPalette().windowText, 0.8)).name()));

    setLanguage(language);
    m_version->setText(ProgramVersionLine());
}

void AboutBox::setLanguage(const LanguageTable& language) {
    m_language = language;
    setWindowTitle(FromFileText(m_language.entry(Entry::About)));
    m_motto->setText(FromFileText(m_language.entry(Entry::Motto)));
    m_text->setPlainText(FromFileText(m_language.entry(Entry::AboutText)));
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_web && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        CopyWebAddress(this, m_language);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace plandeck
