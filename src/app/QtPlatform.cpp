// The program's answer to what the core asks of the user and the platform, through Qt windows.
#include "app/QtPlatform.h"

#include <algorithm>
#include <array>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QStringDecoder>
#include <QWidget>

#include "app/HelpWindow.h"
#include "app/MessageBox.h"
#include "app/SettingsStore.h"

namespace vorpel {

QString DisplayText(const std::string& bytes) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        if (!utf8.hasError()) return text;
    }
    return FromCp1252(bytes);
}

QString FromFileName(const std::string& name) {
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

std::string ToFileName(const QString& name) {
    const QByteArray bytes = QFile::encodeName(name);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void MoveOntoScreen(QWidget& window, QPoint topLeft) {
    QScreen* screen = QGuiApplication::screenAt(topLeft);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window.move(topLeft);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size();
    const int left = std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width()));
    const int top = std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height()));
    window.move(left, top);
}

QtPlatform::QtPlatform() {
    if (QCoreApplication::instance() != nullptr)
        boxCaption = QLatin1Char(' ') +
                     QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QtPlatform::~QtPlatform() {
    delete helpWindow.data();
}

void QtPlatform::ShowInfo(const std::vector<std::string>& lines) {
    vorpel::ShowInfo(*this, lines);
}

bool QtPlatform::AskYesNo(const std::vector<std::string>& lines) {
    return vorpel::AskYesNo(*this, lines);
}

Choice QtPlatform::AskChoice(const std::vector<std::string>& lines, const std::string& first,
                             const std::string& second, const std::string& third, bool withRepeat,
                             bool& repeat) {
    return vorpel::AskChoice(*this, lines, first, second, third, withRepeat, repeat);
}

void QtPlatform::ShowAbout() {
    vorpel::ShowAbout(*this);
}

std::optional<std::string> QtPlatform::ClipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    return ToCp1252(data->text());
}

bool QtPlatform::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(FromCp1252(text));
    return true;
}

void QtPlatform::AddToHistory(const std::string& fileName) {
    if (settings != nullptr) settings->AddToHistory(fileName);
}

void QtPlatform::ProcessEvents() {
    QCoreApplication::processEvents();
}

void QtPlatform::ShowLoadingBoard() {
    if (showLoadingBoard && loadingBoardGate.Due(RefreshGate::Clock::now())) showLoadingBoard();
}

bool QtPlatform::ResolveShortcut(std::string& name) {
    const QFileInfo info(FromFileName(name));
    if (!info.isSymLink() && !info.isShortcut()) return false;
    const QString target = info.symLinkTarget();
    if (target.isEmpty()) return true;
    name = ToFileName(target);
    return false;
}

bool QtPlatform::OpenUrl(const QUrl& url) {
    if (script) {
        script->opened.push_back(url);
        return true;
    }
    return QDesktopServices::openUrl(url);
}

} // namespace vorpel
