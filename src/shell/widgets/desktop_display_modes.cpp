#include "shell/widgets/desktop_display_modes.h"

#include <QGuiApplication>
#include <QScreen>

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

    // Resources and the output whose modes are listed; the caller frees both.
    bool find(XRRScreenResources*& resources, XRROutputInfo*& output) const {
        resources = XRRGetScreenResourcesCurrent(display, root);
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
    XRRScreenResources* resources = nullptr;
    XRROutputInfo* output = nullptr;
    if (!m_x->find(resources, output))
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
        const int screen = DefaultScreen(m_x->display);
        int showing = 0;
        for (int i = 0; i < resources->ncrtc; ++i)
            if (XRRCrtcInfo* other = XRRGetCrtcInfo(m_x->display, resources, resources->crtcs[i])) {
                showing += other->mode != 0 ? 1 : 0;
                XRRFreeCrtcInfo(other);
            }
        const bool alone = showing == 1;
        const int oldWidth = DisplayWidth(m_x->display, screen);
        const int oldHeight = DisplayHeight(m_x->display, screen);
        const int newWidth = int(crtc->x) + mode.width;
        const int newHeight = int(crtc->y) + mode.height;
        const auto resize = [&](int w, int h) {
            const double mmPerPixel = double(DisplayWidthMM(m_x->display, screen)) / oldWidth;
            XRRSetScreenSize(m_x->display, m_x->root, w, h, int(std::lround(w * mmPerPixel)),
                             int(std::lround(h * mmPerPixel)));
        };
        if (alone && (newWidth > oldWidth || newHeight > oldHeight))
            resize(std::max(newWidth, oldWidth), std::max(newHeight, oldHeight));
        const Status status =
            XRRSetCrtcConfig(m_x->display, resources, output->crtc, CurrentTime, crtc->x, crtc->y,
                             target, crtc->rotation, crtc->outputs, crtc->noutput);
        ok = status == RRSetConfigSuccess;
        if (ok && alone && (newWidth != oldWidth || newHeight != oldHeight))
            resize(newWidth, newHeight);
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
