#include "shell/widgets/desktop_display_modes.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSize>

#ifdef SSQ_HAVE_XRANDR
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#endif

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

// What Qt can tell about the primary screen: its one active mode, and no way to switch.
class ScreenOnlyDisplayModes : public DisplayModes {
public:
    bool canSwitch() const override { return false; }
    std::vector<DisplayMode> modes() override {
        std::vector<DisplayMode> all;
        if (const std::optional<DisplayMode> active = activeMode())
            all.push_back(*active);
        return all;
    }
    std::optional<DisplayMode> activeMode() override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return std::nullopt;
        const QSize pixels = screen->size() * screen->devicePixelRatio();
        return DisplayMode{pixels.width(), pixels.height(), screen->depth(),
                           int(std::lround(screen->refreshRate()))};
    }
    bool apply(const DisplayMode&) override { return false; }
};

} // namespace

std::unique_ptr<DisplayModes> makeDesktopDisplayModes() {
    if (QGuiApplication::platformName() == u"xcb"_s)
        if (std::unique_ptr<XrandrDisplayModes> x = XrandrDisplayModes::open())
            return x;
    return std::make_unique<ScreenOnlyDisplayModes>();
}

#ifdef SSQ_HAVE_XRANDR

namespace {

// Xlib's default error handler ends the process; a refused switch must only return false.
bool g_xError = false;
int recordXError(Display*, XErrorEvent*) {
    g_xError = true;
    return 0;
}

int refreshRate(const XRRModeInfo& info) {
    if (info.hTotal == 0 || info.vTotal == 0)
        return 0;
    double rate = double(info.dotClock) / (double(info.hTotal) * double(info.vTotal));
    if (info.modeFlags & RR_Interlace)
        rate *= 2;
    if (info.modeFlags & RR_DoubleScan)
        rate /= 2;
    return int(std::lround(rate));
}

const XRRModeInfo* modeInfo(const XRRScreenResources* resources, RRMode id) {
    for (int i = 0; i < resources->nmode; ++i)
        if (resources->modes[i].id == id)
            return &resources->modes[i];
    return nullptr;
}

} // namespace

struct XrandrDisplayModes::Connection {
    Display* display = nullptr;
    ::Window root = 0;
    int depth = 0;

    ~Connection() {
        if (display)
            XCloseDisplay(display);
    }

    // Resources and the output whose modes are listed; the caller frees both. `probe` asks the
    // server to look at the outputs again (slower, but the configuration time is the newest).
    bool find(XRRScreenResources*& resources, XRROutputInfo*& output, bool probe = false) const {
        resources = probe ? XRRGetScreenResources(display, root)
                          : XRRGetScreenResourcesCurrent(display, root);
        output = nullptr;
        if (!resources)
            return false;
        const RROutput primary = XRRGetOutputPrimary(display, root);
        for (int pass = 0; pass < 2 && !output; ++pass) {
            for (int i = 0; i < resources->noutput && !output; ++i) {
                if (pass == 0 && resources->outputs[i] != primary)
                    continue;
                XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
                if (info && info->connection == RR_Connected && info->crtc != 0 && info->nmode > 0)
                    output = info;
                else if (info)
                    XRRFreeOutputInfo(info);
            }
        }
        if (!output) {
            XRRFreeScreenResources(resources);
            resources = nullptr;
        }
        return output != nullptr;
    }

    // The root window's size as the server has it now.
    QSize screenSize() const {
        ::Window rootReturn = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, rootDepth = 0;
        if (!XGetGeometry(display, root, &rootReturn, &x, &y, &width, &height, &border, &rootDepth))
            return {};
        return QSize(int(width), int(height));
    }

    // `size` within the screen sizes the server allows.
    QSize clampedScreenSize(QSize size) const {
        int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
        if (XRRGetScreenSizeRange(display, root, &minWidth, &minHeight, &maxWidth, &maxHeight))
            size =
                size.expandedTo(QSize(minWidth, minHeight)).boundedTo(QSize(maxWidth, maxHeight));
        return size;
    }

    // Sets the screen to `size`, keeping the physical size per pixel of `old`.
    void resize(QSize size, QSize old) const {
        if (size == screenSize() || old.isEmpty())
            return;
        const int screen = DefaultScreen(display);
        // The millimetres per pixel do not change with the mode; Xlib's figures were taken
        // together when the connection opened, so their ratio still holds.
        const double mmPerPixel =
            double(DisplayWidthMM(display, screen)) / std::max(1, DisplayWidth(display, screen));
        XRRSetScreenSize(display, root, size.width(), size.height(),
                         int(std::lround(size.width() * mmPerPixel)),
                         int(std::lround(size.height() * mmPerPixel)));
    }

    DisplayMode modeOf(const XRRModeInfo& info) const {
        return {int(info.width), int(info.height), depth, refreshRate(info)};
    }
};

std::unique_ptr<XrandrDisplayModes> XrandrDisplayModes::open() {
    auto x = std::make_unique<Connection>();
    x->display = XOpenDisplay(nullptr);
    if (!x->display)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(x->display, &eventBase, &errorBase) ||
        !XRRQueryVersion(x->display, &major, &minor) || (major == 1 && minor < 2) || major < 1)
        return nullptr;
    x->root = DefaultRootWindow(x->display);
    x->depth = DefaultDepth(x->display, DefaultScreen(x->display));
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    if (!x->find(resources, output))
        return nullptr;
    XRRFreeOutputInfo(output);
    XRRFreeScreenResources(resources);
    return std::unique_ptr<XrandrDisplayModes>(new XrandrDisplayModes(std::move(x)));
}

std::vector<DisplayMode> XrandrDisplayModes::modes() {
    std::vector<DisplayMode> found;
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    if (!m_x->find(resources, output))
        return found;
    for (int i = 0; i < output->nmode; ++i)
        if (const XRRModeInfo* info = modeInfo(resources, output->modes[i]))
            found.push_back(m_x->modeOf(*info));
    XRRFreeOutputInfo(output);
    XRRFreeScreenResources(resources);
    return found;
}

std::optional<DisplayMode> XrandrDisplayModes::activeMode() {
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    if (!m_x->find(resources, output))
        return std::nullopt;
    std::optional<DisplayMode> active;
    if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(m_x->display, resources, output->crtc)) {
        if (const XRRModeInfo* info = modeInfo(resources, crtc->mode))
            active = m_x->modeOf(*info);
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeOutputInfo(output);
    XRRFreeScreenResources(resources);
    return active;
}

bool XrandrDisplayModes::apply(const DisplayMode& mode) {
    // Fresh resources, so the configuration timestamp the server checks is the latest one.
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    if (!m_x->find(resources, output, true))
        return false;
    RRMode target = 0;
    for (int i = 0; i < output->nmode && !target; ++i)
        if (const XRRModeInfo* info = modeInfo(resources, output->modes[i]))
            if (m_x->modeOf(*info) == mode)
                target = info->id;
    XRRCrtcInfo* crtc = target ? XRRGetCrtcInfo(m_x->display, resources, output->crtc) : nullptr;
    bool ok = false;
    if (crtc) {
        g_xError = false;
        XErrorHandler previous = XSetErrorHandler(recordXError);
        // The screen grows before a larger mode is set and shrinks after a smaller one, as the
        // picture must always fit inside it; only when this output is the only one showing.
        int showing = 0;
        for (int i = 0; i < resources->ncrtc; ++i)
            if (XRRCrtcInfo* other = XRRGetCrtcInfo(m_x->display, resources, resources->crtcs[i])) {
                showing += other->mode != 0 ? 1 : 0;
                XRRFreeCrtcInfo(other);
            }
        const bool alone = showing == 1;
        // The screen's size asked from the server at every switch: Xlib's DisplayWidth and
        // DisplayHeight are recorded when the connection opens and never follow a switch.
        const QSize old = m_x->screenSize();
        const QSize wanted =
            m_x->clampedScreenSize(QSize(int(crtc->x) + mode.width, int(crtc->y) + mode.height));
        if (alone && (wanted.width() > old.width() || wanted.height() > old.height()))
            m_x->resize(wanted.expandedTo(old), old);
        const Status status =
            XRRSetCrtcConfig(m_x->display, resources, output->crtc, CurrentTime, crtc->x, crtc->y,
                             target, crtc->rotation, crtc->outputs, crtc->noutput);
        XSync(m_x->display, False);
        ok = status == RRSetConfigSuccess && !g_xError;
        if (alone)
            m_x->resize(ok ? wanted : old, old); // a refused mode leaves the screen as it was
        XSync(m_x->display, False);
        XSetErrorHandler(previous);
        ok = ok && !g_xError;
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeOutputInfo(output);
    XRRFreeScreenResources(resources);
    return ok;
}

#else

struct XrandrDisplayModes::Connection {};

std::unique_ptr<XrandrDisplayModes> XrandrDisplayModes::open() {
    return nullptr;
}

std::vector<DisplayMode> XrandrDisplayModes::modes() {
    return {};
}

std::optional<DisplayMode> XrandrDisplayModes::activeMode() {
    return std::nullopt;
}

bool XrandrDisplayModes::apply(const DisplayMode&) {
    return false;
}

#endif

XrandrDisplayModes::XrandrDisplayModes(std::unique_ptr<Connection> connection)
    : m_x(std::move(connection)) {}

XrandrDisplayModes::~XrandrDisplayModes() = default;

} // namespace ssq
