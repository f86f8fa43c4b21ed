// The program's answer to what the core asks of the user and the platform, through Qt windows.
#include "app/QtPlatform.h"

#include <algorithm>
#include <array>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMargins>
#include <QMimeData>
#include <QScreen>
#include <QStringDecoder>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "app/HelpWindow.h"
#include "app/MessageBox.h"
#include "app/SettingsStore.h"
#include "model/ScreenPlace.h"

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

namespace {

// The frame's margins around the client area: the window's own once the window manager has
// framed it, before that the last ones seen on any window (`lastSeen`, updated here) and, before
// any, a title bar and borders as the style draws them (`estimated`; none without a window
// manager).
QMargins FrameMargins(const QWidget& window, QMargins& lastSeen, bool* estimated = nullptr) {
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    const QMargins own(inner.left() - frame.left(), inner.top() - frame.top(),
                       frame.right() - inner.right(), frame.bottom() - inner.bottom());
    // Only a frame that surrounds the client counts: while the window manager reparents the
    // window, Qt may report positions of both without a frame between them.
    const bool framed = !own.isNull() && own.left() >= 0 && own.top() >= 0 && own.right() >= 0 &&
                        own.bottom() >= 0 &&
                        own.left() + own.top() + own.right() + own.bottom() < 200;
    if (framed) lastSeen = own;
    if (estimated != nullptr) *estimated = false;
    if (window.isVisible() && framed) return own;
    if (!lastSeen.isNull() || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return lastSeen;
    if (estimated != nullptr) *estimated = true;
    const int border = 4;
    // Generous below, where some window managers draw a handle: the estimate errs inwards.
    return {border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
            2 * border};
}

QRect WorkArea(const QRect& frame) {
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (screen == nullptr) screen = QGuiApplication::screenAt(frame.topLeft());
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

// Puts the frame of `window` at `frame` onto its screen now, with the margins known now.
void PutFrame(QWidget& window, const QRect& frame, bool sized, QMargins& seenMargins) {
    bool estimated = false;
    const QMargins margins = FrameMargins(window, seenMargins, &estimated);
    QRect wanted = frame;
    // A window not yet shown takes its layout's size when shown: place it with that size.
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    if (!sized) wanted.setSize(window.size().grownBy(margins));
    const QRect area = WorkArea(wanted);
    if (!area.isEmpty()) {
        const ScreenRect placed =
            PlaceOnto({wanted.x(), wanted.y(), wanted.width(), wanted.height()},
                      {area.x(), area.y(), area.width(), area.height()});
        if (sized || placed.width < wanted.width() || placed.height < wanted.height()) sized = true;
        wanted = QRect(placed.left, placed.top, placed.width, placed.height);
    }
    const QSize client = sized ? wanted.size().shrunkBy(margins) : window.size();
    if (estimated) {
        // Before any frame was seen, Qt cannot turn a frame position into the client's: the
        // client's own rectangle is placed exactly, with the frame estimated around it.
        window.setGeometry(QRect(wanted.topLeft() + QPoint(margins.left(), margins.top()), client));
        return;
    }
    window.resize(client);
    window.move(wanted.topLeft());
}

// Watches one showing of a window: once the window manager has put its frame around it, the
// frame goes where it was asked to go (a window manager that placed the client there instead
// leaves the title bar off by its height).
class FrameKeeper : public QObject {
public:
    // Found by name: without a meta-object of its own, a cast cannot tell it from other children.
    static constexpr const char* kName = "frameKeeper";

    FrameKeeper(QWidget& window, const QRect& frame, bool sized, QMargins& seenMargins)
        : QObject(&window), window_(window), frame_(frame), sized_(sized),
          seenMargins_(seenMargins) {
        setObjectName(QLatin1String(kName));
        window.installEventFilter(this);
        if (window.isVisible()) Check();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) Check();
        return false;
    }

private:
    // Waits for the window manager's frame (its margins become known), then puts the frame
    // where it belongs once; gives up after a few seconds without a frame.
    void Check() {
        window_.removeEventFilter(this);
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, ticks = 0]() mutable {
            const QRect frame = window_.frameGeometry(), inner = window_.geometry();
            const bool framed = frame != inner && frame.contains(inner);
            if (framed && window_.isVisible() && !window_.isMaximized() && !window_.isFullScreen())
                PutFrame(window_, frame_, sized_, seenMargins_);
            if (framed || !window_.isVisible() || ++ticks >= kTicks) deleteLater();
        });
        timer->start(kTick);
    }

    static constexpr int kTick = 50;   // ms
    static constexpr int kTicks = 100; // five seconds

    QWidget& window_;
    QRect frame_;
    bool sized_;
    QMargins& seenMargins_;
};

} // namespace

QRect FrameRect(const QWidget& window, QMargins& seenMargins) {
    if (window.isMaximized() || window.isFullScreen())
        return window.normalGeometry().marginsAdded(FrameMargins(window, seenMargins));
    return window.frameGeometry();
}

void PlaceFrame(QWidget& window, const QRect& frame, QMargins& seenMargins) {
    const bool sized = !frame.size().isEmpty();
    PutFrame(window, frame, sized, seenMargins);
    // Where PutFrame put it, onto the screen: that place is kept after the framing.
    QRect kept(window.pos(), sized ? frame.size() : QSize());
    for (QObject* old : window.findChildren<QObject*>(QLatin1String(FrameKeeper::kName),
                                                      Qt::FindDirectChildrenOnly))
        delete old;
    // Without a window manager (the offscreen platform) nothing frames the window later.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        new FrameKeeper(window, kept, sized, seenMargins);
}

void MoveOntoScreen(QWidget& window, QPoint topLeft, QMargins& seenMargins) {
    PlaceFrame(window, QRect(topLeft, QSize()), seenMargins);
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

bool QtPlatform::AskYesNoDefaultNo(const std::vector<std::string>& lines) {
    return vorpel::AskYesNo(*this, lines, true);
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
