// Held keys by code and their keypad twins.
#include "runtime/services/keyboard.h"

#include <algorithm>

namespace kelvo {
namespace {

// Keypad twins answered by key_down for digits, operators and the editing keys.
int32_t keypad_twin(int32_t code) {
  if (code >= '0' && code <= '9') return code + 100208;
  switch (code) {
    case '.':
      return 100266;
    case '/':
      return 100267;
    case '*':
      return 100268;
    case '-':
      return 100269;
    case '+':
      return 100270;
    case 13:
      return 100271;
    case 20992:
      return 200000;
    case 20224:
      return 200001;
    case 20480:
      return 200002;
    case 20736:
      return 200003;
    case 19200:
      return 200004;
    case 19456:
      return 200005;
    case 19712:
      return 200006;
    case 18176:
      return 200007;
    case 18432:
      return 200008;
    case 18688:
      return 200009;
    case 21248:
      return 200010;
    default:
      return 0;
  }
}

}  // namespace

int32_t Keyboard::key_down(int32_t code) {
  if (code < 1) {
    errors_.raise_error(kIllegalFunctionCall);
    return 0;
  }
  if (is_held(code)) return -1;
  const int32_t twin = keypad_twin(code);
  return twin != 0 && is_held(twin) ? -1 : 0;
}

bool Keyboard::is_held(int32_t code) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::any_of(held_.begin(), held_.end(), [code](const auto& p) { return p.first == code; });
}

std::vector<int32_t> Keyboard::held_codes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<int32_t> codes;
  for (const auto& p : held_) codes.push_back(p.first);
  return codes;
}

void Keyboard::press_key(int32_t code, uint32_t platformKey, bool pauseKey) {
  if (code == 0) return;
  if (pauseKey)
    errors_.set_pause(1, true);
  else if (errors_.pauseFlags.load() & 1)
    errors_.set_pause(1, false);
  add_held(code, platformKey);
}

void Keyboard::add_held(int32_t code, uint32_t platformKey) {
  std::lock_guard<std::mutex> lock(mutex_);
  const bool listed =
      std::any_of(held_.begin(), held_.end(), [code](const auto& p) { return p.first == code; });
  if (!listed) held_.emplace_back(code, platformKey);
}

void Keyboard::release_key(uint32_t platformKey) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = std::find_if(held_.begin(), held_.end(),
                         [platformKey](const auto& p) { return p.second == platformKey; });
  if (it != held_.end()) held_.erase(it);
}

void Keyboard::release_code(int32_t code) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(held_, [code](const auto& p) { return p.first == code; });
}

void Keyboard::sync_locks(const LockStates& platform) {
  auto follow = [this](bool now, bool& mine, int32_t code) {
    if (now == mine) return;
    mine = now;
    if (now) {
      add_held(code, 0);
    } else {
      release_code(code);
    }
  };
  follow(platform.numLock, locks_.numLock, key::kNumLockOn);
  follow(platform.capsLock, locks_.capsLock, key::kCapsLockOn);
  follow(platform.scrollLock, locks_.scrollLock, key::kScrollLockOn);
}

}  // namespace kelvo
