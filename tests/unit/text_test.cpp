// The print rules the game's screens never reach (the goldens' text rows and frames check the
// rest): the line feed postponed at the right edge, the text view's scroll and the cursor after a
// clear.
#include <gtest/gtest.h>

#include "runtime/display/image_table.h"
#include "runtime/display/text.h"

namespace kelvo {
namespace {

TEST(Text, EdgeFeedIsPostponedTheViewScrollsAndAClearSendsTheCursorHome) {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  table.set_screen(table.new_image(320, 300, 256, kArg0), kArg0);
  Image& screen = *table.destination();
  for (int y = 0; y < 300; ++y) screen.row(y)[0] = static_cast<uint8_t>(y / 16 + 1);
  locate(screen, errors, 17, 1, 0, 0, 0, kLocateRow | kLocateColumn);
  print_text(screen, errors, std::string(39, '-') + "A", 0);
  EXPECT_EQ(screen.cursorColumn, 40);
  EXPECT_EQ(screen.newlinePending, 1);
  EXPECT_EQ(screen.row(16 * 15)[0], 16);  // no scroll yet
  print_text(screen, errors, "B", 0);     // the postponed feed scrolls rows 2..17 up one
  EXPECT_EQ(screen.cursorRow, 17);
  EXPECT_EQ(screen.cursorColumn, 2);
  EXPECT_EQ(screen.row(0)[0], 2);
  EXPECT_EQ(screen.row(16 * 14)[0], 16);
  EXPECT_EQ(screen.row(16 * 15 + 7)[0], 15);  // the dashes moved up to row 16
  EXPECT_EQ(screen.row(16 * 17)[0], 18);      // row 18 lies below the view and stays
  clear_screen(screen, errors, 0, 0, 0);
  EXPECT_EQ(screen.cursorRow, 1);
  EXPECT_EQ(screen.cursorColumn, 1);
  EXPECT_EQ(screen.row(16 * 17)[0], 0);
  EXPECT_EQ(errors.pending(), 0);
}

}  // namespace
}  // namespace kelvo
