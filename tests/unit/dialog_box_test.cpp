// The error dialog's layout, pixels, keys and buttons, and how the window's events answer it.
#include <gtest/gtest.h>

#include "platform/dialog_box.h"
#include "platform/sdl_dialog.h"
#include "runtime/display/fonts.h"
#include "runtime/services/error_table.h"
#include "runtime/services/keyboard.h"

namespace kelvo {
namespace {

DialogRequest error_53() {
  return {DialogKind::YesNo, error_dialog_title(53), error_dialog_text(53, 17)};
}

// True when the glyph of c is drawn in `ink` with its top left at (x, y) of the box's pixels.
bool glyph_at(const std::vector<uint32_t>& px, int boxWidth, int x, int y, char c, uint32_t ink) {
  const uint8_t* glyph = font_8x16_table().data() + static_cast<unsigned char>(c) * 8 * 16;
  for (int gy = 0; gy < 16; ++gy) {
    for (int gx = 0; gx < 8; ++gx) {
      const bool inked = px[static_cast<size_t>(y + gy) * boxWidth + x + gx] == ink;
      if (inked != (glyph[gy * 8 + gx] != 0)) return false;
    }
  }
  return true;
}

TEST(DialogLayout, CentredWithItsTextLinesAndYesLeftOfNo) {
  const DialogLayout layout = layout_dialog(error_53(), 320, 300);
  EXPECT_EQ(layout.lines, (std::vector<std::string>{"Line:17", "File not found", "Continue?"}));
  EXPECT_EQ(layout.box.x, (320 - layout.box.w) / 2);
  EXPECT_EQ(layout.box.y, (300 - layout.box.h) / 2);
  ASSERT_EQ(layout.buttons.size(), 2u);
  EXPECT_LT(layout.buttons[0].x + layout.buttons[0].w, layout.buttons[1].x);
  EXPECT_EQ(layout.buttons[0].y, layout.buttons[1].y);
  for (const auto& b : layout.buttons) {
    EXPECT_TRUE(layout.box.contains(b.x, b.y));
    EXPECT_TRUE(layout.box.contains(b.x + b.w - 1, b.y + b.h - 1));
  }
}

TEST(DialogLayout, CentresOnAFullScreenSurfaceToo) {
  const DialogLayout small = layout_dialog(error_53(), 320, 300);
  const DialogLayout large = layout_dialog(error_53(), 800, 600);
  EXPECT_EQ(large.box.w, small.box.w);
  EXPECT_EQ(large.box.x, (800 - large.box.w) / 2);
  EXPECT_EQ(large.box.y, (600 - large.box.h) / 2);
}

TEST(DialogLayout, LongCriticalTextIsWrappedToFitTheWindow) {
  const auto box = critical_error_text(260);
  const DialogRequest request{DialogKind::Ok, box->title, box->text};
  const DialogLayout layout = layout_dialog(request, 320, 300);
  EXPECT_LE(layout.box.w, 320);
  EXPECT_EQ(layout.lines,
            (std::vector<std::string>{"Sub/Function does not exist in", "dynamic library"}));
  EXPECT_EQ(layout.buttons.size(), 1u);
  EXPECT_EQ(dialog_buttons(DialogKind::Ok), std::vector<std::string>{"OK"});
}

TEST(DialogLayout, AWordLongerThanALineIsCut) {
  const DialogRequest request{DialogKind::Ok, "T", std::string(50, 'x')};
  const DialogLayout layout = layout_dialog(request, 320, 300);
  EXPECT_EQ(layout.lines, (std::vector<std::string>{std::string(37, 'x'), std::string(13, 'x')}));
}

TEST(DialogPixels, TitleBarTextAndButtonsAreDrawn) {
  const DialogRequest request = error_53();
  const DialogLayout layout = layout_dialog(request, 320, 300);
  const auto px = render_dialog(request, layout);
  const int w = layout.box.w;
  ASSERT_EQ(px.size(), static_cast<size_t>(w) * layout.box.h);
  EXPECT_EQ(px[0], kDialogFrame);
  EXPECT_EQ(px[static_cast<size_t>(w) + w - 2], kDialogTitleBar);
  EXPECT_TRUE(glyph_at(px, w, 6, 3, 'U', kDialogTitleText));
  EXPECT_TRUE(glyph_at(px, w, 12, 33, 'L', kDialogText));
  EXPECT_TRUE(glyph_at(px, w, 12, 33 + 16, 'F', kDialogText));
  EXPECT_TRUE(glyph_at(px, w, 12, 33 + 32, 'C', kDialogText));
  const DialogRect yes = layout.buttons[0];
  const int bx = yes.x - layout.box.x, by = yes.y - layout.box.y;
  EXPECT_EQ(px[static_cast<size_t>(by) * w + bx + yes.w / 2], kDialogButtonEdge);
  EXPECT_TRUE(glyph_at(px, w, bx + (yes.w - 24) / 2, by + 4, 'Y', kDialogText));
}

TEST(DialogKeys, YesNoAndOkAnswers) {
  using K = DialogKind;
  EXPECT_EQ(dialog_key_answer(K::YesNo, 'y'), true);
  EXPECT_EQ(dialog_key_answer(K::YesNo, sym::kReturn), true);
  EXPECT_EQ(dialog_key_answer(K::YesNo, sym::kKpEnter), true);
  EXPECT_EQ(dialog_key_answer(K::YesNo, 'n'), false);
  EXPECT_EQ(dialog_key_answer(K::YesNo, sym::kEscape), false);
  EXPECT_EQ(dialog_key_answer(K::YesNo, sym::kSpace), std::nullopt);
  EXPECT_EQ(dialog_key_answer(K::YesNo, sym::kRight), std::nullopt);
  EXPECT_EQ(dialog_key_answer(K::Ok, sym::kReturn), true);
  EXPECT_EQ(dialog_key_answer(K::Ok, sym::kEscape), true);
  EXPECT_EQ(dialog_key_answer(K::Ok, 'n'), std::nullopt);
}

SDL_Event key_event(Uint8 type, SDLKey key) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.keysym.sym = key;
  return e;
}

SDL_Event mouse_event(Uint8 type, const DialogRect& r) {
  SDL_Event e{};
  e.type = type;
  e.button.type = type;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = static_cast<Uint16>(r.x + r.w / 2);
  e.button.y = static_cast<Uint16>(r.y + r.h / 2);
  return e;
}

struct SdlDialogTest : ::testing::Test {
  SdlDialog dialog;
  void open(DialogKind kind = DialogKind::YesNo) {
    DialogRequest request = error_53();
    request.kind = kind;
    dialog.open(request);
    dialog.place(320, 300);
  }
};

TEST_F(SdlDialogTest, OtherKeysAreSwallowedAndReleasesPassThrough) {
  open();
  auto out = dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RIGHT));
  EXPECT_TRUE(out.taken);
  EXPECT_FALSE(out.answer);
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYUP, SDLK_RIGHT)).taken);
  EXPECT_TRUE(dialog.is_open());
}

TEST_F(SdlDialogTest, EnterAnswersYesAndItsRepeatsNeverReachTheGame) {
  open();
  auto out = dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN));
  EXPECT_TRUE(out.taken);
  EXPECT_EQ(out.answer, true);
  EXPECT_FALSE(dialog.is_open());
  EXPECT_TRUE(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN)).taken);  // a repeat
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYUP, SDLK_RETURN)).taken);
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN)).taken);  // a new press
}

TEST_F(SdlDialogTest, EscapeAnswersNo) {
  open();
  EXPECT_EQ(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_ESCAPE)).answer, false);
}

TEST_F(SdlDialogTest, AClickAnswersTheButtonPressedAndReleasedOn) {
  open();
  const DialogRect yes = dialog.layout().buttons[0];
  const DialogRect no = dialog.layout().buttons[1];
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, yes));
  EXPECT_FALSE(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, no)).answer);  // dragged off
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, no));
  EXPECT_EQ(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, no)).answer, false);
  open();
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, yes));
  EXPECT_EQ(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, yes)).answer, true);
}

TEST_F(SdlDialogTest, ClickOutsideTheButtonsAnswersNothing) {
  open();
  const DialogRect box = dialog.layout().box;
  const DialogRect inBox{box.x + 2, box.y + 30, 1, 1};
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, inBox));
  EXPECT_FALSE(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, inBox)).answer);
  EXPECT_TRUE(dialog.is_open());
}

TEST_F(SdlDialogTest, ClosingTheWindowAnswersNoOrOk) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  open();
  EXPECT_EQ(dialog.take_event(quit).answer, false);
  open(DialogKind::Ok);
  EXPECT_EQ(dialog.take_event(quit).answer, true);
}

TEST_F(SdlDialogTest, ExposureAsksForARedrawAndAClosedDialogTakesNothing) {
  SDL_Event expose{};
  expose.type = SDL_VIDEOEXPOSE;
  EXPECT_FALSE(dialog.take_event(expose).taken);
  open();
  EXPECT_TRUE(dialog.take_event(expose).redraw);
}

}  // namespace
}  // namespace kelvo
