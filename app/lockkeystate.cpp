#include "app/lockkeystate.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <dlfcn.h>

#if QT_CONFIG(xcb)
namespace {

// libX11 is loaded when first needed, so that the program neither links
// nor needs it where it runs without X11. Qt's X11 plugin has it loaded
// already whenever there is an X11 display.
using XAtom = unsigned long;
using InternAtomFn = XAtom (*)(Display *, const char *, int);
using GetNamedIndicatorFn = int (*)(Display *, XAtom, int *, int *, void *, int *);

struct XkbFunctions {
    InternAtomFn internAtom = nullptr;
    GetNamedIndicatorFn getNamedIndicator = nullptr;

    static const XkbFunctions &Get()
    {
        static const XkbFunctions functions = [] {
            XkbFunctions f;
            if (void *lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL)) {
                f.internAtom = reinterpret_cast<InternAtomFn>(dlsym(lib, "XInternAtom"));
                f.getNamedIndicator = reinterpret_cast<GetNamedIndicatorFn>(dlsym(lib, "XkbGetNamedIndicator"));
            }
            return f;
        }();
        return functions;
    }
};

std::optional<bool> Indicator(Display *display, const XkbFunctions &x, const char *name)
{
    const XAtom atom = x.internAtom(display, name, /*only_if_exists=*/1);
    int on = 0;
    if (!atom || !x.getNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != 0;
}

} // namespace
#endif

std::optional<LockKeyState> LockKeyState::Query()
{
#if QT_CONFIG(xcb)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    const XkbFunctions &x = XkbFunctions::Get();
    if (!display || !x.internAtom || !x.getNamedIndicator)
        return std::nullopt;
    const auto caps = Indicator(display, x, "Caps Lock");
    const auto num = Indicator(display, x, "Num Lock");
    const auto scroll = Indicator(display, x, "Scroll Lock");
    if (!caps && !num && !scroll)
        return std::nullopt;
    return LockKeyState{caps.value_or(false), num.value_or(false), scroll.value_or(false)};
#else
    return std::nullopt;
#endif
}
