// Writing recordings in the input-script format.
#include "platform/recorder.h"

#include <algorithm>
#include <iterator>

#include "runtime/services/trace.h"

namespace kelvo {
namespace {

constexpr std::pair<int32_t, const char*> kKeyNames[] = {
    {27, "Escape"}, {32, "Space"},   {13, "Enter"},    {19200, "Left"}, {19712, "Right"},
    {18432, "Up"},  {20480, "Down"}, {8, "Backspace"}, {9, "Tab"},
};

}  // namespace

std::string recorded_key_name(int32_t code) {
  for (const auto& [value, name] : kKeyNames) {
    if (code == value) return name;
  }
  if (code > 32 && code < 127 && (code < '0' || code > '9')) return std::string(1, char(code));
  // Two digits at least: one digit alone would name the digit's character.
  return code < 10 ? "0" + std::to_string(code) : std::to_string(code);
}

Recorder::~Recorder() {
  close();
}

bool Recorder::open(const std::string& path, int startLevel) {
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) return false;
  // Whole lines at once: a run that is killed still leaves the recording up to its last line.
  std::setvbuf(file_, nullptr, _IOLBF, 0);
  std::fputs("# A recorded run of kelvo: replay it with kelvo --replay FILE.\n", file_);
  line(0, "level " + std::to_string(startLevel));
  return true;
}

void Recorder::inputs(uint32_t frame, const std::vector<int32_t>& heldKeys, bool stopRequested) {
  if (!file_) return;
  const std::set<int32_t> now(heldKeys.begin(), heldKeys.end());
  std::vector<int32_t> released, pressed;
  std::set_difference(held_.begin(), held_.end(), now.begin(), now.end(),
                      std::back_inserter(released));
  std::set_difference(now.begin(), now.end(), held_.begin(), held_.end(),
                      std::back_inserter(pressed));
  for (int32_t code : released) line(frame, "release " + recorded_key_name(code));
  for (int32_t code : pressed) line(frame, "press " + recorded_key_name(code));
  held_ = now;
  if (stopRequested && !closed_) {
    closed_ = true;
    line(frame, "close");
  }
}

void Recorder::time_read(uint32_t frame, uint32_t msOfDay) {
  if (file_) line(frame, "time " + time_of_day_text(msOfDay));
}

void Recorder::answer(uint32_t frame, bool yes) {
  if (file_) line(frame, yes ? "answer yes" : "answer no");
}

void Recorder::set(uint32_t frame, const ScriptCommand& command) {
  if (file_) line(frame, "set " + command.path + " " + exact_double(command.value));
}

void Recorder::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

void Recorder::line(uint32_t frame, const std::string& command) {
  std::fprintf(file_, "%u %s\n", frame, command.c_str());
}

}  // namespace kelvo
