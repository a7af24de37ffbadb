#include <gtest/gtest.h>

#include "toolkit/core/XftDpi.h"

namespace QuorvelTest {
namespace {

using Toolkit::XftDpi;

TEST(XftDpi, ReadsTheEntryAmongTheServersResources) {
  EXPECT_EQ(XftDpi("Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n"), 144.0);
  EXPECT_EQ(XftDpi("Xft.dpi:192"), 192.0);                       // the last line needs no newline
  EXPECT_EQ(XftDpi("  Xft.dpi : 120.5 \r\n"), 120.5);            // blanks and a fraction, any locale
  EXPECT_EQ(XftDpi("Xft.dpi:\t96\nXft.dpi:\t168\n"), 168.0);     // the last entry counts
  EXPECT_EQ(XftDpi("Xft.dpi:\t168\nXft.dpi:\tlarge\n"), 168.0);  // ... that is a number
}

TEST(XftDpi, AnythingElseIsNoEntry) {
  for (const char* none :
       {"", "Xft.antialias:\t1\n", "Xft.dpix:\t144\n", "Xft.dpi\t144\n", "Xft.dpi:\n", "Xft.dpi:\t-144\n",
        "Xft.dpi:\t0\n", "Xft.dpi:\t144dpi\n", "Xft.dpi:\t1e3\n", "Xft.dpi:\t9601\n",
        "Xft.dpi:\t99999999999999999999999999999999999999\n", "Xcursor.size:\t24\n*dpi:\t144\n"}) {
    EXPECT_EQ(XftDpi(none), 0.0) << none;
  }
  EXPECT_EQ(XftDpi(nullptr), 0.0);
}

}  // namespace
}  // namespace QuorvelTest
