// The module's editor as a Windows CLAP host shows it: embedded in an HWND of the host's,
// scaled by the host's factor, which it asks the host for.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/clap/ClapFixture.h"
#include "tests/support/Win32HostWindow.h"

namespace QuorvelTest {
namespace {

// The editor made, embedded in `host` and shown.
bool Open(const clap_plugin_gui_t* gui, const clap_plugin_t* plugin, HWND host) {
  clap_window_t parent{};
  parent.api = CLAP_WINDOW_API_WIN32;
  parent.win32 = host;
  return gui->create(plugin, CLAP_WINDOW_API_WIN32, false) && gui->set_parent(plugin, &parent) && gui->show(plugin);
}

// Embedded in an HWND only, the editor is one child of 496 x 344 (a 96-dpi prefix); the
// host's factor 2.0 remakes it at 992 x 688 and asks the host for that size; destroyed,
// it leaves no window behind, and no host call was made on a forbidden thread.
TEST(ClapEditorWin32, OpensInTheHostsWindowAndScales) {
  HWND host = Win32HostWindow::Create();
  ASSERT_NE(host, nullptr);
  auto clap = StartClap();
  const clap_plugin_gui_t* gui = clap->Gui();
  ASSERT_NE(gui, nullptr);
  const clap_plugin_t* plugin = &clap->Plugin();
  EXPECT_TRUE(gui->is_api_supported(plugin, CLAP_WINDOW_API_WIN32, false));
  EXPECT_FALSE(gui->is_api_supported(plugin, CLAP_WINDOW_API_X11, false));
  ASSERT_TRUE(Open(gui, plugin, host));
  Win32HostWindow::PumpMessages();
  std::vector<SIZE> sizes = Win32HostWindow::ChildSizes(host);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].cx, 496);
  EXPECT_EQ(sizes[0].cy, 344);

  EXPECT_TRUE(gui->set_scale(plugin, 2.0));
  Win32HostWindow::PumpMessages();
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(gui->get_size(plugin, &width, &height));
  EXPECT_EQ(width, 992u);
  EXPECT_EQ(height, 688u);
  ASSERT_EQ(clap->Host().ResizeRequests().size(), 1u);
  EXPECT_EQ(clap->Host().ResizeRequests()[0].width, 992u);
  sizes = Win32HostWindow::ChildSizes(host);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].cx, 992);

  gui->destroy(plugin);
  Win32HostWindow::PumpMessages();
  EXPECT_TRUE(Win32HostWindow::ChildSizes(host).empty());
  EXPECT_TRUE(clap->Host().Violations().empty());
  DestroyWindow(host);
}

// A host that sends every value the editor gave back as an event of its next process, as
// CLAP hosts may: the knob being dragged is not pulled back by its own echoes.
TEST(ClapEditorWin32, ADragIsNotPulledBackByTheHostsEcho) {
  HWND host = Win32HostWindow::Create();
  ASSERT_NE(host, nullptr);
  auto clap = StartClap();
  const clap_plugin_gui_t* gui = clap->Gui();
  const clap_plugin_t* plugin = &clap->Plugin();
  ASSERT_TRUE(Open(gui, plugin, host));
  Win32HostWindow::PumpMessages();
  HWND knob = Win32HostWindow::ChildAt(GetWindow(host, GW_CHILD), 179, 139);
  ASSERT_NE(knob, nullptr);
  ClapEchoingHost echoing(*clap);
  Win32HostWindow::DragUp(knob, [&echoing] { echoing.Process(); });
  echoing.Process();
  echoing.Process();
  EXPECT_NEAR(echoing.LastEcho(), 0.1, 1e-6);
  EXPECT_NEAR(clap->ParameterValue(6), 0.1, 1e-6);
  gui->destroy(plugin);
  Win32HostWindow::PumpMessages();
  EXPECT_TRUE(clap->Host().Violations().empty());
  DestroyWindow(host);
}

}  // namespace
}  // namespace QuorvelTest
