// Where the Linux editor puts its windows, and what a host reads before opening it.
#include <vector>

#include "tests/editor-x11/X11EditorFixture.h"

namespace QuorvelTest {
namespace {

using X11EditorLayout = X11EditorTest;

TEST_F(X11EditorLayout, TheViewAndItsFifteenWindowsSitAtTheWindowsEditorsPlaces) {
  ERect* rect = nullptr;
  ASSERT_EQ(Dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->right - rect->left, 496);  // asked before the first open
  EXPECT_EQ(rect->bottom - rect->top, 344);
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(effect->flags, 0x31);

  ASSERT_NE(View(), 0u);
  EXPECT_EQ(PlaceOf(View()), (Place{0, 0, 496, 344}));
  // In creation order: twelve parameter controls, two increment buttons, the status line.
  const std::vector<Place> expected = {
      {343, 229, 20, 40},  {65, 139, 32, 32},   {79, 229, 20, 40},  {123, 139, 32, 32}, {144, 221, 140, 40},
      {144, 256, 140, 40}, {179, 139, 32, 32},  {343, 109, 20, 40}, {390, 139, 32, 32}, {343, 148, 20, 40},
      {266, 125, 20, 40},  {390, 241, 32, 32},  {116, 227, 28, 28}, {116, 262, 28, 28}, {305, 34, 145, 25}};
  std::vector<Place> actual;
  for (::Window child : ChildrenOf(View())) actual.push_back(PlaceOf(child));
  EXPECT_EQ(actual, expected);
}

TEST_F(X11EditorLayout, WithoutADisplayTheEditorDoesNotOpenAndTheInstanceWorksOn) {
  const std::string saved = getenv("DISPLAY") != nullptr ? getenv("DISPLAY") : "";
  unsetenv("DISPLAY");
  const VstIntPtr opened = Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(host)));
  setenv("DISPLAY", saved.c_str(), 1);
  EXPECT_EQ(opened, 0);
  Dispatch(effEditIdle);
  Dispatch(effEditClose);
  effect->setParameter(effect, 6, 0.5f);
  EXPECT_FLOAT_EQ(Parameter(6), 0.5f);
  EXPECT_TRUE(ChildrenOf(host).empty());
}

}  // namespace
}  // namespace QuorvelTest
