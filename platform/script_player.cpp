// Carrying out script commands on the game thread, between frames.
#include "platform/script_player.h"

#include <cstdio>

#include "platform/key_translation.h"
#include "platform/png_file.h"
#include "platform/screen_text.h"

namespace kelvo {

ScriptPlayer::ScriptPlayer(Runtime& rt, GameState& state, std::vector<ScriptCommand> commands,
                           std::optional<uint32_t> closeAfter, std::atomic<int>& closeRequested,
                           std::atomic<int>& status, bool answerYes)
    : rt_(rt),
      port_(rt.platform()),
      state_(state),
      commands_(std::move(commands)),
      closeAfter_(closeAfter),
      closeRequested_(closeRequested),
      status_(status),
      defaultAnswer_(answerYes) {}

void ScriptPlayer::run_frame(uint32_t frame) {
  while (next_ < commands_.size() && due(frame) && run_next(frame)) {
  }
  if (closeAfter_ && frame >= *closeAfter_) close();
}

bool ScriptPlayer::run_paused() {
  if (next_acts_paused()) {
    run_next(port_.handover().frame_number());
    return true;
  }
  if (!closeAfter_) return false;
  close();
  return true;
}

bool ScriptPlayer::can_run_paused() const {
  return next_acts_paused() || closeAfter_.has_value();
}

// While paused only an `until` that holds already can act: no frame passes for it to wait.
bool ScriptPlayer::next_acts_paused() const {
  if (next_ >= commands_.size()) return false;
  const ScriptCommand& c = commands_[next_];
  return c.action != ScriptAction::Until || until_holds(c);
}

bool ScriptPlayer::due(uint32_t frame) const {
  const ScriptCommand& c = commands_[next_];
  return frame >= (c.relative ? lastActed_ + c.frame : c.frame);
}

bool ScriptPlayer::run_next(uint32_t frame) {
  const ScriptCommand& c = commands_[next_];
  if (c.action == ScriptAction::Until) {
    if (!untilStarted_) untilStarted_ = frame;
    if (!until_holds(c)) {
      if (frame - *untilStarted_ < c.maxFrames) return false;
      std::fprintf(stderr, "kelvo: script line %d: %s %s %g did not hold within %u frames\n",
                   c.line, c.path.c_str(), comparison_text(c.comparison), c.value, c.maxFrames);
      status_.store(3);
      next_ = commands_.size();
      close();
      return false;
    }
    untilStarted_.reset();
  } else {
    run(c);
  }
  lastActed_ = frame;
  ++next_;
  return true;
}

bool ScriptPlayer::until_holds(const ScriptCommand& c) const {
  const double field = c.path == "frame" ? port_.handover().frame_number()
                                         : static_cast<double>(*find_number_field(state_, c.path));
  return compare(field, c.comparison, c.value);
}

bool ScriptPlayer::take_answer() {
  if (answers_.empty()) return defaultAnswer_;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

std::optional<bool> ScriptPlayer::take_scripted_answer() {
  if (answers_.empty()) return std::nullopt;
  return take_answer();
}

void ScriptPlayer::run(const ScriptCommand& c) {
  switch (c.action) {
    case ScriptAction::Press:
      port_.press_key(c.key, kNoPlatformKey, c.key == sym::kPause);
      break;
    case ScriptAction::Release:
      port_.release_code(c.key);
      break;
    case ScriptAction::Shot:
      write_shot(c.path);
      break;
    case ScriptAction::Dump:
      write_dump(c);
      break;
    case ScriptAction::Text:
      write_text(c.path);
      break;
    case ScriptAction::Answer:
      answers_.push_back(c.answerYes);
      break;
    case ScriptAction::Set:
      *find_number_field(state_, c.path) = c.value;
      if (listener_) listener_(c);
      break;
    case ScriptAction::Time:
      port_.fix_next_ms_of_day(static_cast<uint32_t>(c.value));
      break;
    case ScriptAction::Close:
      close();
      break;
    case ScriptAction::Until:
    case ScriptAction::Level:  // taken before the game starts
      break;
  }
}

// The close request stops the game at its next statement, as the window's close does.
void ScriptPlayer::close() {
  port_.request_stop();
  closeRequested_.store(1);
  port_.hub().notify();
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
  if (!write_frame_png(port_.handover().frame(), path)) {
    std::fprintf(stderr, "kelvo: cannot write the screenshot %s\n", path.c_str());
  }
}

void ScriptPlayer::write_dump(const ScriptCommand& c) {
  if (!c.fields.empty()) {
    std::string line = std::to_string(port_.handover().frame_number());
    for (const auto& field : c.fields) {
      std::string value;
      if (field == "frame") {
        value = std::to_string(port_.handover().frame_number());
      } else if (field == "ms") {
        value = std::to_string(rt_.elapsed_ms());
      } else {
        value = field_to_text(state_, field).value_or("?");
      }
      line += " " + field + "=" + value;
    }
    write_output(c.path, line + "\n", "state dump");
    return;
  }
  std::string json = state_to_json(state_, c.withHandles);
  json.pop_back();
  json += ",\"frame\":" + std::to_string(port_.handover().frame_number());
  json += ",\"ms\":" + std::to_string(rt_.elapsed_ms()) + "}\n";
  written_.erase(c.path);  // the whole state always replaces the file
  write_output(c.path, json, "state dump");
}

void ScriptPlayer::write_text(const std::string& path) {
  std::string text = "--- frame " + std::to_string(port_.handover().frame_number()) + "\n";
  for (const auto& row : frame_text_rows(port_.handover().frame())) text += "|" + row + "\n";
  write_output(path, text, "screen text");
}

void ScriptPlayer::write_output(const std::string& path, const std::string& text,
                                const char* what) {
  const bool first = written_.insert(path).second;
  std::FILE* file = std::fopen(path.c_str(), first ? "wb" : "ab");
  bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file && std::fclose(file) != 0) ok = false;
  if (!ok) std::fprintf(stderr, "kelvo: cannot write the %s %s\n", what, path.c_str());
}

}  // namespace kelvo
