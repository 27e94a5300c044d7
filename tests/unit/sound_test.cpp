// Sound handles and their rules against a recording mixer: requirement words, handle numbers,
// channels, restarts, loops, stops, errors and the trace.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "runtime/services/sound.h"
#include "support/fake_clock.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records every mixer call as one line; loads succeed for the names in `files`.
class FakeMixer : public AudioBackend {
 public:
  bool open_device() override {
    calls.push_back("open");
    return deviceWorks;
  }
  std::optional<LoadedChunk> load_chunk(const std::string& path) override {
    calls.push_back("load " + path);
    if (!files.count(path)) return std::nullopt;
    return LoadedChunk{chunks++, 88200};
  }
  bool play_channel(int channel, int chunk, int loops, int limitMs) override {
    calls.push_back("play " + std::to_string(channel) + " chunk " + std::to_string(chunk) +
                    " loops " + std::to_string(loops) + " limit " + std::to_string(limitMs));
    return playWorks;
  }
  void halt_channel(int channel) override { calls.push_back("halt " + std::to_string(channel)); }
  void resume_channel(int channel) override {
    calls.push_back("resume " + std::to_string(channel));
  }
  void set_channel_volume(int channel, int volume) override {
    calls.push_back("volume " + std::to_string(channel) + " " + std::to_string(volume));
  }
  bool load_music(const std::string& path) override {
    calls.push_back("load music " + path);
    return files.count(path) != 0;
  }
  bool music_is_mp3() override { return mp3; }
  void free_music() override { calls.push_back("free music"); }
  bool play_music(int loops) override {
    calls.push_back("play music loops " + std::to_string(loops));
    return true;
  }
  void halt_music() override { calls.push_back("halt music"); }
  void resume_music() override { calls.push_back("resume music"); }
  void set_music_volume(int volume) override {
    calls.push_back("music volume " + std::to_string(volume));
  }

  std::set<std::string> files{"a.wav", "b.wav", "song.mp3"};
  std::vector<std::string> calls;
  int chunks = 0;
  bool deviceWorks = true;
  bool playWorks = true;
  bool mp3 = false;
};

struct SoundTest : ::testing::Test {
  SoundTest() { sound.set_backend(&mixer); }

  // The calls made since the last look.
  std::vector<std::string> take_calls() { return std::exchange(mixer.calls, {}); }

  WaitHub hub;
  Errors errors{hub};
  std::atomic<uint32_t> frame{0};
  Trace trace{frame};
  test::FakeClock clock;
  FakeMixer mixer;
  Sound sound{errors, trace, clock};
};

TEST_F(SoundTest, SyncInAnyCaseWithBlanksOpensInMemorySounds) {
  for (const char* words : {"sync", "SYNC", "  SyNc  ", "sYNC "}) {
    const int32_t handle = sound.open("a.wav", words);
    ASSERT_NE(handle, 0) << words;
    EXPECT_NE(handle, Sound::kStreamHandle) << words;
    EXPECT_EQ(sound.slot(handle)->capabilities, kSoundSync) << words;
  }
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(SoundTest, RequirementWordsGrantTheirCapabilities) {
  const auto all = parse_sound_requirements(" vol,SYNC , Pause,len ");
  ASSERT_TRUE(all);
  EXPECT_EQ(all->capabilities, kSoundSync | kSoundVol | kSoundPause | kSoundLen);
  EXPECT_FALSE(all->setPosition);
  EXPECT_TRUE(parse_sound_requirements("setpos")->setPosition);
  EXPECT_EQ(parse_sound_requirements("")->capabilities, 0u);
}

TEST_F(SoundTest, OnlyLettersAToZChangeCaseAndOnlySpacesAreTrimmed) {
  EXPECT_FALSE(parse_sound_requirements("\tsync"));
  EXPECT_FALSE(parse_sound_requirements("sy nc"));
  EXPECT_FALSE(parse_sound_requirements("sync\xe9"));
}

TEST_F(SoundTest, RepeatedUnknownOrEmptyWordsAreRefused) {
  for (const char* words : {"sync,sync", "sync, SYNC ", "sync,loud", "sync,", ",sync", " "}) {
    SCOPED_TRACE(words);
    Errors fresh{hub};
    Sound s{fresh, trace, clock};
    s.set_backend(&mixer);
    EXPECT_EQ(s.open("a.wav", words), 0);
    EXPECT_EQ(fresh.pending(), 5);
  }
}

TEST_F(SoundTest, HandlesCountFromTwoOnTheSlotsInOrder) {
  EXPECT_EQ(sound.open("a.wav", "sync"), 2);
  EXPECT_EQ(sound.open("b.wav", "sync"), 3);
  EXPECT_EQ(sound.open("missing.wav", "sync"), 0);  // a failed open takes no handle
  EXPECT_EQ(sound.open("a.wav", "sync"), 4);
  EXPECT_EQ(sound.slot(4)->path, "a.wav");
  EXPECT_DOUBLE_EQ(sound.slot(4)->lengthSeconds, 1.0);  // 88200 bytes at 22050 Hz stereo
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(SoundTest, HandleCounterSkipsZeroAndOneWhenItWraps) {
  sound.set_next_handle(0xFFFFFFFFu);
  EXPECT_EQ(sound.open("a.wav", "sync"), -1);
  EXPECT_EQ(sound.open("a.wav", "sync"), 2);
}

TEST_F(SoundTest, OpenSetsFullVolumeOnTheSlotsChannelThenLoads) {
  sound.open("a.wav", "sync");
  sound.open("b.wav", "sync");
  EXPECT_THAT(take_calls(),
              ElementsAre("open", "volume 0 128", "load a.wav", "volume 1 128", "load b.wav"));
}

TEST_F(SoundTest, AllSlotsTakenGivesZeroWithoutError) {
  for (int i = 0; i < Sound::kSlots; ++i) ASSERT_EQ(sound.open("a.wav", "sync"), i + 2);
  take_calls();
  EXPECT_EQ(sound.open("a.wav", "sync"), 0);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_THAT(take_calls(), IsEmpty());
}

TEST_F(SoundTest, SyncWithSetposIsRefusedWithoutError) {
  EXPECT_EQ(sound.open("a.wav", "sync,setpos"), 0);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(SoundTest, DeviceOpensOnceOnTheFirstSoundOperation) {
  EXPECT_THAT(mixer.calls, IsEmpty());
  sound.play(0);
  sound.open("a.wav", "sync");
  sound.stop(0);
  EXPECT_EQ(std::count(mixer.calls.begin(), mixer.calls.end(), "open"), 1);
  EXPECT_EQ(mixer.calls.front(), "open");
}

TEST_F(SoundTest, NoDeviceMeansNoSoundsAndNoErrors) {
  mixer.deviceWorks = false;
  EXPECT_EQ(sound.open("a.wav", "sync"), 0);
  sound.play(2);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_THAT(take_calls(), ElementsAre("open"));
}

TEST_F(SoundTest, PlayingTwiceRestartsFromTheBeginning) {
  const int32_t h = sound.open("b.wav", "sync");
  sound.open("a.wav", "sync");
  take_calls();
  clock.now = 5000;
  sound.play(h);
  clock.now = 5100;
  sound.play(h);
  EXPECT_THAT(take_calls(), ElementsAre("halt 0", "play 0 chunk 0 loops 0 limit -1", "halt 0",
                                        "play 0 chunk 0 loops 0 limit -1"));
  EXPECT_TRUE(sound.slot(h)->playing);
  EXPECT_EQ(sound.slot(h)->startTicks, 5100u);
}

TEST_F(SoundTest, TwoSoundsPlayOnChannelsOfTheirOwn) {
  const int32_t a = sound.open("a.wav", "sync");
  const int32_t b = sound.open("b.wav", "sync");
  take_calls();
  sound.play(a);
  sound.play(b);
  EXPECT_THAT(take_calls(), ElementsAre("halt 0", "play 0 chunk 0 loops 0 limit -1", "halt 1",
                                        "play 1 chunk 1 loops 0 limit -1"));
}

TEST_F(SoundTest, LoopRepeatsUntilStoppedAndPlayThenPlaysOnce) {
  const int32_t h = sound.open("a.wav", "sync");
  take_calls();
  sound.loop(h);
  EXPECT_TRUE(sound.slot(h)->looping);
  EXPECT_THAT(take_calls(), ElementsAre("halt 0", "halt 0", "play 0 chunk 0 loops -1 limit -1"));
  sound.play(h);
  EXPECT_FALSE(sound.slot(h)->looping);
  EXPECT_THAT(take_calls(), ElementsAre("halt 0", "play 0 chunk 0 loops 0 limit -1"));
  sound.loop(h);
  take_calls();
  sound.stop(h);
  EXPECT_THAT(take_calls(), ElementsAre("halt 0"));
  EXPECT_FALSE(sound.slot(h)->playing);
  EXPECT_FALSE(sound.slot(h)->looping);
}

TEST_F(SoundTest, RefusedPlayLeavesTheSoundIdleWithoutError) {
  const int32_t h = sound.open("a.wav", "sync");
  mixer.playWorks = false;
  sound.play(h);
  EXPECT_FALSE(sound.slot(h)->playing);
  EXPECT_EQ(errors.pending(), 0);
}

TEST_F(SoundTest, MissingFileGivesHandleZeroAndSilenceWithoutError) {
  const int32_t h = sound.open("rurazedudi/missing.yyy", "sync");
  EXPECT_EQ(h, 0);
  take_calls();
  sound.play(h);
  sound.loop(h);
  sound.stop(h);
  EXPECT_EQ(errors.pending(), 0);
  EXPECT_THAT(take_calls(), IsEmpty());
}

TEST_F(SoundTest, HandleNamingNoSoundIsAnIllegalFunctionCall) {
  for (auto op : {&Sound::play, &Sound::loop, &Sound::stop}) {
    for (int32_t handle : {3, 1, -2}) {
      Errors fresh{hub};
      Sound s{fresh, trace, clock};
      s.set_backend(&mixer);
      ASSERT_EQ(s.open("a.wav", "sync"), 2);
      (s.*op)(handle);
      EXPECT_EQ(fresh.pending(), 5) << handle;
    }
  }
}

TEST_F(SoundTest, NothingHappensWhileAnErrorIsPending) {
  errors.raise_error(53);
  EXPECT_EQ(sound.open("a.wav", "sync"), 0);
  sound.play(7);
  sound.loop(7);
  sound.stop(7);
  EXPECT_THAT(mixer.calls, IsEmpty());
  EXPECT_EQ(errors.pending(), 53);
}

TEST_F(SoundTest, WithoutSyncTheSingleStreamedSoundIsHandleOne) {
  EXPECT_EQ(sound.open("song.mp3", ""), 1);
  EXPECT_THAT(take_calls(), ElementsAre("open", "load music song.mp3", "music volume 128"));
  sound.play(1);
  sound.loop(1);
  sound.stop(1);
  EXPECT_THAT(take_calls(), ElementsAre("halt music", "play music loops 0", "halt music",
                                        "halt music", "play music loops -1", "halt music"));
  EXPECT_EQ(sound.open("a.wav", "vol"), 0);  // only one stream at a time
  EXPECT_EQ(errors.pending(), 5);
}

TEST_F(SoundTest, StreamFailuresGiveZeroWithoutError) {
  EXPECT_EQ(sound.open("missing.ogg", ""), 0);
  EXPECT_EQ(sound.open("song.mp3", "setpos"), 0);  // the decoder reports no MP3
  EXPECT_THAT(take_calls(),
              ElementsAre("open", "load music missing.ogg", "load music song.mp3", "free music"));
  mixer.mp3 = true;
  EXPECT_EQ(sound.open("song.mp3", "setpos"), 1);
  EXPECT_EQ(errors.pending(), 0);
}

TEST(SoundTraceTest, TraceNamesEachOperationWithThePathOpened) {
  test::TempDir dir;
  WaitHub hub;
  Errors errors{hub};
  std::atomic<uint32_t> frame{4};
  test::FakeClock clock;
  FakeMixer mixer;
  {
    Trace trace{frame};
    ASSERT_TRUE(trace.open(dir.file("trace.txt")));
    Sound sound{errors, trace, clock};
    sound.set_backend(&mixer);
    const int32_t h = sound.open("rurazedudi/jump.yyy", "sync");  // not among the files
    mixer.files.insert("rurazedudi/level.yyy");
    const int32_t level = sound.open("rurazedudi/level.yyy", "sync");
    sound.play(h);
    sound.play(level);
    sound.loop(level);
    sound.stop(level);
  }
  EXPECT_THAT(
      test::read_lines(dir.file("trace.txt")),
      ElementsAre("4 sound_open rurazedudi/jump.yyy 0", "4 sound_open rurazedudi/level.yyy 2",
                  "4 sound_play rurazedudi/level.yyy", "4 sound_loop rurazedudi/level.yyy",
                  "4 sound_stop rurazedudi/level.yyy"));
}

}  // namespace
}  // namespace kelvo
