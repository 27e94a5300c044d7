// The report when no audio device can be opened: SDL's reason, the way out (--mute) and the
// status. Sound handles and restarts are checked by the goldens' traces and the mixed output test.
#include <gtest/gtest.h>

#include "platform/sdl_audio.h"
#include "support/scoped_env.h"

namespace kelvo {
namespace {

TEST(SdlAudio, NoDeviceReportsSdlsReasonAndMuteThenExitsWith10001) {
  test::ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  int status = 0;
  SdlAudio audio([&status](int code) { status = code; });
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(audio.open_device());
  const std::string message = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 10001);
  EXPECT_NE(message.find("cannot open the audio device: No available audio device"),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("--mute"), std::string::npos) << message;
}

}  // namespace
}  // namespace kelvo
