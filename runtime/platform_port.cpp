// The platform's calls, passed on to the runtime's services.
#include "runtime/platform_port.h"

#include "runtime/runtime.h"

namespace kelvo {

FrameHandover& PlatformPort::handover() const {
  return rt_.handover_;
}
WaitHub& PlatformPort::hub() const {
  return rt_.hub_;
}
uint32_t PlatformPort::frame_number() const {
  return rt_.handover_.frame_number();
}

FramePacing PlatformPort::frame_pacing() const {
  return rt_.timing_.last_pacing();
}

const std::atomic<uint8_t>& PlatformPort::stop_flag() const {
  return rt_.errors_.stopRequested;
}
bool PlatformPort::exit_requested() const {
  return rt_.errors_.exitAtOnce.load() != 0;
}
bool PlatformPort::program_finished() const {
  return rt_.errors_.programFinished.load() != 0;
}
void PlatformPort::request_stop() const {
  rt_.errors_.request_stop();
}
void PlatformPort::request_exit() const {
  rt_.errors_.request_exit();
}
void PlatformPort::mark_program_finished() const {
  rt_.errors_.programFinished.store(1);
  rt_.hub_.notify();
}

void PlatformPort::press_key(int32_t code, uint32_t platformKey, bool pauseKey) const {
  rt_.keyboard_.press_key(code, platformKey, pauseKey);
}
void PlatformPort::release_key(uint32_t platformKey) const {
  rt_.keyboard_.release_key(platformKey);
}
void PlatformPort::release_code(int32_t code) const {
  rt_.keyboard_.release_code(code);
}
void PlatformPort::sync_locks(const LockStates& locks) const {
  rt_.keyboard_.sync_locks(locks);
}
std::vector<int32_t> PlatformPort::held_keys() const {
  return rt_.keyboard_.held_codes();
}
void PlatformPort::fix_next_ms_of_day(uint32_t ms) const {
  rt_.timing_.fix_next_ms_of_day(ms);
}

void PlatformPort::set_dialog(ErrorDialog dialog) const {
  rt_.errors_.set_dialog(std::move(dialog));
}
void PlatformPort::set_critical_box(CriticalErrorBox box) const {
  rt_.errors_.set_critical_box(std::move(box));
}
void PlatformPort::set_process_exit(std::function<void(int)> exit) const {
  rt_.errors_.set_process_exit(std::move(exit));
}
void PlatformPort::set_paused_input(std::function<bool()> deliver,
                                    std::function<bool()> waiting) const {
  rt_.errors_.set_paused_input(std::move(deliver), std::move(waiting));
}
void PlatformPort::set_time_listener(std::function<void(uint32_t)> listener) const {
  rt_.timing_.set_read_listener(std::move(listener));
}
void PlatformPort::set_audio(AudioBackend* backend) const {
  rt_.sound_.set_backend(backend);
}
void PlatformPort::set_file_path_map(FilePathMap map) const {
  rt_.files_.set_path_map(std::move(map));
}
bool PlatformPort::open_trace(const std::string& path) const {
  return rt_.trace_.open(path);
}
void PlatformPort::trace(std::string_view kind, std::string_view text) const {
  rt_.trace_.event(kind, text);
}
void PlatformPort::close_trace() const {
  rt_.trace_.close();
}
void PlatformPort::close_files() const {
  rt_.files_.close_all();
}

}  // namespace kelvo
