// The silent backend's file checks and the SDL backend's report when no device can be opened.
#include <gtest/gtest.h>

#include "platform/sdl_audio.h"
#include "support/scoped_env.h"
#include "support/test_support.h"
#include "support/wav.h"

namespace kelvo {
namespace {

struct SilentAudioTest : ::testing::Test {
  std::string write(const std::string& name, const std::string& bytes) {
    test::write_file(dir.file(name), bytes);
    return dir.file(name);
  }
  test::TempDir dir;
};

TEST_F(SilentAudioTest, WavLengthIsGivenInTheMixersFormat) {
  const std::string stereo = write("a.wav", test::wav_file(test::pcm16(test::test_tone(100, 1))));
  EXPECT_EQ(decodable_sound_length(stereo), 400u);
  // 8-bit mono at half the rate: twice the frames once converted, four bytes each.
  const std::string mono = write("b.wav", test::wav_file(std::string(100, '\x80'), {11025, 1, 8}));
  EXPECT_EQ(decodable_sound_length(mono), 800u);
}

TEST_F(SilentAudioTest, UnreadableOrUndecodableFilesAreRefused) {
  const std::string wav = test::wav_file(test::pcm16(test::test_tone(100, 1)));
  EXPECT_FALSE(decodable_sound_length(dir.file("missing.wav")));
  EXPECT_FALSE(decodable_sound_length(write("text.yyy", "hello, world")));
  EXPECT_FALSE(decodable_sound_length(write("cut.wav", wav.substr(0, 30))));
  EXPECT_FALSE(decodable_sound_length(write("empty.wav", "")));
  EXPECT_FALSE(decodable_sound_length(dir.path()));
}

TEST_F(SilentAudioTest, OpensNoDeviceButCountsChunksAndChecksStreams) {
  SilentAudio audio;
  const std::string wav = write("a.wav", test::wav_file(test::pcm16(test::test_tone(10, 1))));
  EXPECT_TRUE(audio.open_device());
  EXPECT_EQ(audio.load_chunk(wav)->id, 0);
  EXPECT_EQ(audio.load_chunk(wav)->id, 1);
  EXPECT_FALSE(audio.load_chunk(dir.file("missing.wav")));
  EXPECT_TRUE(audio.play_channel(0, 1, -1, -1));
  EXPECT_FALSE(audio.load_music(dir.file("missing.mp3")));
  EXPECT_TRUE(audio.load_music(write("a.mp3", "ID3\3\0")));
  EXPECT_TRUE(audio.music_is_mp3());
  EXPECT_TRUE(audio.load_music(wav));
  EXPECT_FALSE(audio.music_is_mp3());
}

TEST(SdlAudioTest, NoDeviceReportsSdlsReasonAndMuteThenExitsWith10001) {
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
