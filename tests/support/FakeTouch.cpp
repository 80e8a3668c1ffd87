// A finger on a KWin desktop, for the desktop tests: touches the screen
// through KWin's fake input protocol, which a nested KWin offers to any client
// when started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.
// Reads one command a line on standard input, in the compositor's coordinates:
//   down ID X Y | motion ID X Y | up ID | frame
// and answers "ok" once KWin has taken it, or "no ..." and ends. A finger
// stays down between commands as long as the program runs.
#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>

namespace {

org_kde_kwin_fake_input* FakeInput = nullptr;

void Global(void*, wl_registry* Registry, uint32_t Name, const char* Interface, uint32_t Version)
{
    // Touch came with the second version.
    if (std::strcmp(Interface, org_kde_kwin_fake_input_interface.name) == 0 && Version >= 2)
        FakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(Registry, Name, &org_kde_kwin_fake_input_interface, 2));
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener = {Global, GlobalRemove};

// Carries out one command line; answers whether it was one.
bool Command(const char* Line)
{
    unsigned Id = 0;
    double X = 0, Y = 0;
    char Extra = 0;
    if (std::sscanf(Line, "down %u %lf %lf %c", &Id, &X, &Y, &Extra) == 3)
        org_kde_kwin_fake_input_touch_down(FakeInput, Id, wl_fixed_from_double(X), wl_fixed_from_double(Y));
    else if (std::sscanf(Line, "motion %u %lf %lf %c", &Id, &X, &Y, &Extra) == 3)
        org_kde_kwin_fake_input_touch_motion(FakeInput, Id, wl_fixed_from_double(X), wl_fixed_from_double(Y));
    else if (std::sscanf(Line, "up %u %c", &Id, &Extra) == 1)
        org_kde_kwin_fake_input_touch_up(FakeInput, Id);
    else if (std::strcmp(Line, "frame\n") == 0 || std::strcmp(Line, "frame") == 0)
        org_kde_kwin_fake_input_touch_frame(FakeInput);
    else
        return false;
    return true;
}

} // namespace

int main(void)
{
    wl_display* Display = wl_display_connect(nullptr);
    if (!Display) {
        std::printf("no Wayland display\n");
        return 1;
    }
    wl_registry* Registry = wl_display_get_registry(Display);
    wl_registry_add_listener(Registry, &RegistryListener, nullptr);
    wl_display_roundtrip(Display);
    if (!FakeInput) {
        std::printf("no fake input: is this KWin, started with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1?\n");
        wl_display_disconnect(Display);
        return 1;
    }
    // KWin drops the input of a device that never said who it is.
    org_kde_kwin_fake_input_authenticate(FakeInput, "Zento tests", "a finger for the desktop tests");
    int Result = 0;
    char Line[256];
    while (std::fgets(Line, sizeof Line, stdin)) {
        if (!Command(Line)) {
            std::printf("no such command: %s", Line);
            Result = 1;
            break;
        }
        if (wl_display_roundtrip(Display) < 0) {
            std::printf("no compositor\n");
            Result = 1;
            break;
        }
        std::printf("ok\n");
        std::fflush(stdout);
    }
    org_kde_kwin_fake_input_destroy(FakeInput);
    wl_registry_destroy(Registry);
    wl_display_disconnect(Display);
    return Result;
}
