// Sound handles and their rules against a recording mixer (requirement words, handle numbers,
// restarts, loops, stops, errors), the silent backend's file checks and the report when no audio
// device can be opened.
#include <gtest/gtest.h>

#include <set>

#include "platform/sdl_audio.h"
#include "runtime/services/sound.h"
#include "support/fake_clock.h"
#include "support/scoped_env.h"
#include "support/test_support.h"
#include "support/wav.h"

namespace kelvo {
namespace {

// Records every mixer call as one line; loads succeed for the names in `files`.
class FakeMixer : public AudioBackend {
 public:
  bool open_device() override {
    log("open");
    return deviceWorks;
  }
  std::optional<LoadedChunk> load_chunk(const std::string& path) override {
    log("load " + path);
    if (!files.count(path)) return std::nullopt;
    return LoadedChunk{chunks++, 88200};
  }
  bool play_channel(int channel, int chunk, int loops, int) override {
    log("play " + std::to_string(channel) + " chunk " + std::to_string(chunk) + " loops " +
        std::to_string(loops));
    return playWorks;
  }
  void halt_channel(int channel) override { log("halt " + std::to_string(channel)); }
  void resume_channel(int) override {}
  void set_channel_volume(int channel, int volume) override {
    log("volume " + std::to_string(channel) + " " + std::to_string(volume));
  }
  bool load_music(const std::string& path) override {
    log("music " + path);
    return true;
  }
  bool music_is_mp3() override { return false; }
  void free_music() override { log("free music"); }
  bool play_music(int loops) override {
    log("play music " + std::to_string(loops));
    return true;
  }
  void halt_music() override { log("halt music"); }
  void resume_music() override {}
  void set_music_volume(int) override {}

  // The calls made since the last look.
  std::vector<std::string> take() { return std::exchange(calls, {}); }
  void log(const std::string& call) { calls.push_back(call); }

  std::set<std::string> files{"a.wav", "b.wav"};
  std::vector<std::string> calls;
  int chunks = 0;
  bool deviceWorks = true;
  bool playWorks = true;
};

struct SoundTest : ::testing::Test {
  SoundTest() { sound.set_backend(&mixer); }

  WaitHub hub;
  Errors errors{hub};
  std::atomic<uint32_t> frame{0};
  Trace trace{frame};
  test::FakeClock clock;
  FakeMixer mixer;
  Sound sound{errors, trace, clock};
};

using Calls = std::vector<std::string>;

TEST(SoundRequirements, WordsInAnyCaseWithBlanksAroundThemOnceEach) {
  struct Case {
    const char* words;
    int capabilities;  // -1: refused
  };
  for (const Case& c :
       {Case{"sync", kSoundSync}, Case{"  SyNc  ", kSoundSync}, Case{"", 0},
        Case{" vol,SYNC , Pause,len ", kSoundSync | kSoundVol | kSoundPause | kSoundLen},
        Case{"setpos", 0}, Case{"\tsync", -1}, Case{"sy nc", -1}, Case{"sync\xe9", -1},
        Case{"sync, SYNC ", -1}, Case{"sync,loud", -1}, Case{"sync,", -1}, Case{",sync", -1},
        Case{" ", -1}}) {
    const auto parsed = parse_sound_requirements(c.words);
    EXPECT_EQ(parsed ? static_cast<int>(parsed->capabilities) : -1, c.capabilities) << c.words;
  }
  EXPECT_TRUE(parse_sound_requirements("setpos")->setPosition);
}

TEST_F(SoundTest, HandlesCountFromTwoOverTheSlotsAndTheDeviceOpensOnFirstUse) {
  EXPECT_TRUE(mixer.take().empty());
  EXPECT_EQ(sound.open("a.wav", "sync"), 2);
  EXPECT_EQ(sound.open("missing.wav", "sync"), 0);   // no error, and no handle taken
  EXPECT_EQ(sound.open("a.wav", "sync,setpos"), 0);  // only a stream can seek
  EXPECT_EQ(sound.open("b.wav", "SYNC"), 3);
  EXPECT_EQ(mixer.take(), (Calls{"open", "volume 0 128", "load a.wav", "volume 1 128",
                                 "load missing.wav", "volume 1 128", "load b.wav"}));
  ASSERT_NE(sound.slot(3), nullptr);
  EXPECT_EQ(sound.slot(3)->path, "b.wav");
  EXPECT_DOUBLE_EQ(sound.slot(3)->lengthSeconds, 1.0);  // 88200 bytes at 22050 Hz stereo
  for (int i = 2; i < Sound::kSlots; ++i) ASSERT_EQ(sound.open("a.wav", "sync"), i + 2);
  mixer.take();
  EXPECT_EQ(sound.open("a.wav", "sync"), 0);  // every slot taken
  EXPECT_TRUE(mixer.take().empty());
  EXPECT_EQ(errors.pending(), 0);
  Sound wrapping{errors, trace, clock};
  wrapping.set_backend(&mixer);
  wrapping.set_next_handle(0xFFFFFFFFu);
  EXPECT_EQ(wrapping.open("a.wav", "sync"), -1);
  EXPECT_EQ(wrapping.open("a.wav", "sync"), 2);  // 0 and 1 are never handed out
}

TEST_F(SoundTest, PlayRestartsLoopRepeatsAndStopHalts) {
  const int32_t b = sound.open("b.wav", "sync");
  const int32_t a = sound.open("a.wav", "sync");
  mixer.take();
  clock.now = 5000;
  sound.play(b);
  clock.now = 5100;
  sound.play(b);  // again: from the beginning, not layered over itself
  sound.play(a);  // on a channel of its own
  EXPECT_EQ(mixer.take(), (Calls{"halt 0", "play 0 chunk 0 loops 0", "halt 0",
                                 "play 0 chunk 0 loops 0", "halt 1", "play 1 chunk 1 loops 0"}));
  EXPECT_TRUE(sound.slot(b)->playing);
  EXPECT_EQ(sound.slot(b)->startTicks, 5100u);
  sound.loop(a);
  EXPECT_TRUE(sound.slot(a)->looping);
  sound.play(a);  // a play after a loop plays once
  EXPECT_FALSE(sound.slot(a)->looping);
  sound.loop(a);
  mixer.take();
  sound.stop(a);
  EXPECT_EQ(mixer.take(), Calls{"halt 1"});
  EXPECT_FALSE(sound.slot(a)->playing || sound.slot(a)->looping);
  mixer.playWorks = false;  // a refused play leaves the sound idle, without an error
  sound.play(a);
  EXPECT_FALSE(sound.slot(a)->playing);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(SoundTest, HandleZeroIsSilenceAndHandlesNamingNoSoundAreIllegal) {
  sound.open("a.wav", "sync");
  mixer.take();
  sound.play(0);
  sound.loop(0);
  sound.stop(0);
  EXPECT_TRUE(mixer.take().empty());
  EXPECT_EQ(errors.pending(), 0);
  for (auto op : {&Sound::play, &Sound::loop, &Sound::stop}) {
    for (int32_t handle : {3, 1, -2}) {
      Errors fresh{hub};
      Sound s{fresh, trace, clock};
      s.set_backend(&mixer);
      s.open("a.wav", "sync");
      (s.*op)(handle);
      EXPECT_EQ(fresh.pending(), 5) << handle;
    }
  }
  Errors bad{hub};
  Sound words{bad, trace, clock};
  words.set_backend(&mixer);
  EXPECT_EQ(words.open("a.wav", "sync,loud"), 0);
  EXPECT_EQ(bad.pending(), 5);
}

TEST_F(SoundTest, NoDeviceMeansNoSoundsAndNoErrors) {
  mixer.deviceWorks = false;
  EXPECT_EQ(sound.open("a.wav", "sync"), 0);
  sound.play(2);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_EQ(mixer.take(), Calls{"open"});
}

TEST_F(SoundTest, WithoutSyncTheSingleStreamedSoundIsHandleOne) {
  EXPECT_EQ(sound.open("song.ogg", "setpos"), 0);  // only an MP3 stream can seek
  EXPECT_EQ(sound.open("song.ogg", ""), 1);
  sound.play(1);
  sound.loop(1);
  sound.stop(1);
  EXPECT_EQ(mixer.take(),
            (Calls{"open", "music song.ogg", "free music", "music song.ogg", "halt music",
                   "play music 0", "halt music", "halt music", "play music -1", "halt music"}));
  EXPECT_EQ(sound.open("b.ogg", "vol"), 0);  // only one stream at a time
  EXPECT_EQ(errors.pending(), 5);
}

TEST(SilentAudio, SoundsOpenWhenTheirFilesDecode) {
  test::TempDir dir;
  const auto write = [&](const std::string& name, const std::string& bytes) {
    test::write_file(dir.file(name), bytes);
    return dir.file(name);
  };
  const std::string wav = test::wav_file(test::pcm16(test::test_tone(100, 1)));
  EXPECT_EQ(decodable_sound_length(write("a.wav", wav)), 400u);
  // 8-bit mono at half the rate: twice the frames once converted, four bytes each.
  EXPECT_EQ(decodable_sound_length(
                write("b.wav", test::wav_file(std::string(100, '\x80'), {11025, 1, 8}))),
            800u);
  for (const std::string& bad :
       {dir.file("missing.wav"), write("text.yyy", "hello, world"),
        write("cut.wav", wav.substr(0, 30)), write("empty.wav", ""),
        write("a.ogg", std::string("OggS\0\2\0\0\0\0\0\0\0\0", 14)), dir.path()}) {
    EXPECT_FALSE(decodable_sound_length(bad)) << bad;
  }
  SilentAudio audio;
  EXPECT_EQ(audio.load_chunk(dir.file("a.wav"))->id, 0);
  EXPECT_EQ(audio.load_chunk(dir.file("a.wav"))->id, 1);
  EXPECT_FALSE(audio.load_music(dir.file("missing.mp3")));
  EXPECT_TRUE(audio.load_music(write("a.mp3", "ID3\3\0")));
  EXPECT_TRUE(audio.music_is_mp3());
}

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
