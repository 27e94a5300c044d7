// The error dialog's layout, pixels, keys and buttons, and how the window's events answer it.
#include <gtest/gtest.h>

#include "platform/dialog_box.h"
#include "platform/key_translation.h"
#include "platform/sdl_dialog.h"
#include "runtime/display/fonts.h"
#include "runtime/services/error_table.h"

namespace kelvo {
namespace {

DialogRequest error_53(DialogKind kind = DialogKind::YesNo) {
  return {kind, error_dialog_title(53), error_dialog_text(53, 17)};
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
  for (auto [w, h] : {std::pair{320, 300}, std::pair{800, 600}}) {
    const DialogLayout layout = layout_dialog(error_53(), w, h);
    EXPECT_EQ(layout.lines, (std::vector<std::string>{"Line:17", "File not found", "Continue?"}));
    EXPECT_EQ(layout.box.x, (w - layout.box.w) / 2);
    EXPECT_EQ(layout.box.y, (h - layout.box.h) / 2);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_LT(layout.buttons[0].x + layout.buttons[0].w, layout.buttons[1].x);
    EXPECT_EQ(layout.buttons[0].y, layout.buttons[1].y);
    for (const auto& b : layout.buttons) {
      EXPECT_TRUE(layout.box.contains(b.x, b.y));
      EXPECT_TRUE(layout.box.contains(b.x + b.w - 1, b.y + b.h - 1));
    }
  }
}

TEST(DialogLayout, LongTextIsWrappedAtBlanksOrCutToFitTheWindow) {
  const auto box = critical_error_text(260);
  const DialogLayout layout = layout_dialog({DialogKind::Ok, box->title, box->text}, 320, 300);
  EXPECT_LE(layout.box.w, 320);
  EXPECT_EQ(layout.lines,
            (std::vector<std::string>{"Sub/Function does not exist in", "dynamic library"}));
  EXPECT_EQ(layout.buttons.size(), 1u);
  const DialogLayout cut = layout_dialog({DialogKind::Ok, "T", std::string(50, 'x')}, 320, 300);
  EXPECT_EQ(cut.lines, (std::vector<std::string>{std::string(37, 'x'), std::string(13, 'x')}));
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
  struct Case {
    K kind;
    uint32_t key;
    std::optional<bool> answer;
  };
  for (const Case& c :
       {Case{K::YesNo, 'y', true}, Case{K::YesNo, sym::kReturn, true},
        Case{K::YesNo, sym::kKpEnter, true}, Case{K::YesNo, 'n', false},
        Case{K::YesNo, sym::kEscape, false}, Case{K::YesNo, sym::kSpace, {}},
        Case{K::YesNo, sym::kRight, {}}, Case{K::Ok, sym::kReturn, true},
        Case{K::Ok, sym::kEscape, true}, Case{K::Ok, sym::kSpace, true}, Case{K::Ok, 'n', {}}}) {
    EXPECT_EQ(dialog_key_answer(c.kind, c.key), c.answer) << c.key;
  }
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

SDL_Event plain_event(Uint8 type) {
  SDL_Event e{};
  e.type = type;
  return e;
}

struct SdlDialogTest : ::testing::Test {
  SdlDialog dialog;
  void open(DialogKind kind = DialogKind::YesNo) {
    dialog.open(error_53(kind));
    dialog.place(320, 300);
  }
};

TEST_F(SdlDialogTest, KeysAnswerOtherKeysAreSwallowedAndTheAnsweringKeyNeverReachesTheGame) {
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN)).taken);  // no dialog
  open();
  auto out = dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RIGHT));
  EXPECT_TRUE(out.taken);
  EXPECT_FALSE(out.answer);
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYUP, SDLK_RIGHT)).taken);
  out = dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN));
  EXPECT_EQ(out.answer, true);
  EXPECT_FALSE(dialog.is_open());
  EXPECT_TRUE(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN)).taken);  // a repeat
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYUP, SDLK_RETURN)).taken);
  EXPECT_FALSE(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_RETURN)).taken);  // a new press
  open();
  EXPECT_EQ(dialog.take_event(key_event(SDL_KEYDOWN, SDLK_ESCAPE)).answer, false);
}

TEST_F(SdlDialogTest, AClickAnswersTheButtonPressedAndReleasedOn) {
  open();
  const DialogRect yes = dialog.layout().buttons[0];
  const DialogRect no = dialog.layout().buttons[1];
  const DialogRect face{dialog.layout().box.x + 2, dialog.layout().box.y + 30, 1, 1};
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, face));
  EXPECT_FALSE(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, face)).answer);
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, yes));
  EXPECT_FALSE(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, no)).answer);  // dragged off
  EXPECT_TRUE(dialog.is_open());
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, no));
  EXPECT_EQ(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, no)).answer, false);
  open();
  dialog.take_event(mouse_event(SDL_MOUSEBUTTONDOWN, yes));
  EXPECT_EQ(dialog.take_event(mouse_event(SDL_MOUSEBUTTONUP, yes)).answer, true);
}

TEST_F(SdlDialogTest, ClosingTheWindowAnswersNoOrOkAndExposureAsksForARedraw) {
  EXPECT_FALSE(dialog.take_event(plain_event(SDL_VIDEOEXPOSE)).taken);
  open();
  EXPECT_TRUE(dialog.take_event(plain_event(SDL_VIDEOEXPOSE)).redraw);
  EXPECT_EQ(dialog.take_event(plain_event(SDL_QUIT)).answer, false);
  open(DialogKind::Ok);
  EXPECT_EQ(dialog.take_event(plain_event(SDL_QUIT)).answer, true);
}

}  // namespace
}  // namespace kelvo
