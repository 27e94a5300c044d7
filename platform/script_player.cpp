// Carrying out script commands on the game thread, between frames.
#include "platform/script_player.h"

#include <cstdio>

#include "platform/png_file.h"

namespace kelvo {

ScriptPlayer::ScriptPlayer(Runtime& rt, GameState& state, std::vector<ScriptCommand> commands,
                           std::atomic<int>& closeRequested, bool answerYes)
    : rt_(rt),
      state_(state),
      commands_(std::move(commands)),
      closeRequested_(closeRequested),
      defaultAnswer_(answerYes) {}

void ScriptPlayer::run_frame(uint32_t frame) {
  while (next_ < commands_.size() && commands_[next_].frame <= frame) run(commands_[next_++]);
}

bool ScriptPlayer::take_answer() {
  const bool yes = pendingAnswer_ < 0 ? defaultAnswer_ : pendingAnswer_ == 1;
  pendingAnswer_ = -1;
  return yes;
}

std::optional<bool> ScriptPlayer::take_scripted_answer() {
  if (pendingAnswer_ < 0) return std::nullopt;
  return take_answer();
}

void ScriptPlayer::run(const ScriptCommand& c) {
  switch (c.action) {
    case ScriptAction::Press:
      rt_.keyboard.press_key(c.key, static_cast<uint32_t>(c.key));
      break;
    case ScriptAction::Release:
      rt_.keyboard.release_code(c.key);
      break;
    case ScriptAction::Shot:
      write_shot(c.path);
      break;
    case ScriptAction::Dump:
      write_dump(c.path);
      break;
    case ScriptAction::Answer:
      pendingAnswer_ = c.answerYes ? 1 : 0;
      break;
    case ScriptAction::Set:
      *find_number_field(state_, c.path) = c.value;
      break;
    case ScriptAction::Close:
      // The close request stops the game at its next statement, as the window's close does.
      rt_.errors.request_stop();
      closeRequested_.store(1);
      rt_.hub.notify();
      break;
  }
}

bool write_frame_png(const FrameCache& frame, const std::string& path) {
  std::vector<uint8_t> rgb(static_cast<size_t>(frame.width) * frame.height * 3);
  for (size_t i = 0, n = static_cast<size_t>(frame.width) * frame.height; i < n; ++i) {
    uint32_t argb;
    if (frame.bytesPerPixel == 1) {
      argb = frame.palette[frame.pixels[i]];
    } else {
      argb = static_cast<uint32_t>(frame.pixels[4 * i]) |
             static_cast<uint32_t>(frame.pixels[4 * i + 1]) << 8 |
             static_cast<uint32_t>(frame.pixels[4 * i + 2]) << 16;
    }
    rgb[3 * i] = red_of(argb);
    rgb[3 * i + 1] = green_of(argb);
    rgb[3 * i + 2] = blue_of(argb);
  }
  return write_png_rgb(path, frame.width, frame.height, rgb);
}

void ScriptPlayer::write_shot(const std::string& path) {
  if (!write_frame_png(rt_.display.frame(), path)) {
    std::fprintf(stderr, "kelvo: cannot write the screenshot %s\n", path.c_str());
  }
}

void ScriptPlayer::write_dump(const std::string& path) {
  std::string json = state_to_json(state_);
  json.pop_back();
  json += ",\"frame\":" + std::to_string(rt_.display.frameCount.load());
  json += ",\"ms\":" + std::to_string(rt_.elapsed_ms()) + "}\n";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool ok = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
  if (file) std::fclose(file);
  if (!ok) std::fprintf(stderr, "kelvo: cannot write the state dump %s\n", path.c_str());
}

}  // namespace kelvo
