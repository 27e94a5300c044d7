// Kills a process at random moments while it saves a ten-line table again and again, and checks
// that the file always holds one complete table, never an empty, partial or missing one.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "unit/files_test_support.h"

namespace kelvo::files_test {
namespace {

constexpr int kKills = 200;
constexpr int kRows = 10;

// Generation g's table: descending scores that encode g, and initials that change with it.
std::string score_text(long generation, int rank) {
  return " " + std::to_string(generation * 1000 + (kRows + 1 - rank) * 10);
}
std::string initials(long generation) {
  return std::string(3, static_cast<char>('A' + generation % 26));
}

std::string table_bytes(long generation) {
  std::string bytes;
  for (int rank = 1; rank <= kRows; ++rank) {
    std::string score = score_text(generation, rank);
    bytes += score + std::string(14 - score.size(), ' ') + initials(generation) + "\r\n";
  }
  return bytes;
}

void save_table(Files& files, const std::string& path, long generation) {
  files.file_open(path, kModeOutput, kAccessAny, kLockNone, 1, 0, false);
  for (int rank = 1; rank <= kRows; ++rank) {
    files.file_print(1, score_text(generation, rank), true, true, false);
    files.file_print(1, initials(generation), false, false, true);
  }
  files.file_close(1, true);
}

// The generation stored in the file, read through the runtime, or -1 when it cannot be read.
long load_generation(Files& files, Errors& errors, const std::string& path) {
  files.file_open(path, kModeInput, kAccessAny, kLockNone, 1, 0, false);
  long double top = files.file_input_number(1, NumberType::kSingle);
  files.file_close(1, true);
  if (errors.pending() != 0) return -1;
  return (static_cast<long>(top) - kRows * 10) / 1000;
}

// The child: load the current generation, then save the next ones until killed.
[[noreturn]] void save_forever(const std::string& path) {
  WaitHub hub;
  Errors errors(hub);
  Files files(errors, nullptr);
  long generation = load_generation(files, errors, path);
  if (generation < 0) ::_exit(3);
  for (;;) {
    save_table(files, path, ++generation);
    if (errors.pending() != 0) ::_exit(4);
  }
}

// The generation whose complete table the file holds, or -1 when it holds no complete table.
long generation_in(const std::string& bytes) {
  if (bytes.size() < 6) return -1;
  long top = std::atol(bytes.c_str());
  long generation = (top - kRows * 10) / 1000;
  return generation >= 0 && bytes == table_bytes(generation) ? generation : -1;
}

TEST(FilesKillTest, SaveKilledAtRandomMomentsLeavesTheOldOrTheNewTable) {
  TempDir dir;
  const std::string path = dir.file("score.txt");
  write_file(path, table_bytes(0));
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> delayMicros(0, 20000);
  long last = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) save_forever(path);
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself, status " << status;
    long generation = generation_in(read_file(path));
    ASSERT_GE(generation, last) << "after kill " << kill << " the file holds no complete table";
    last = generation;
  }
  EXPECT_GT(last, 0) << "no save ever completed";
  RecordProperty("generations", std::to_string(last));
}

}  // namespace
}  // namespace kelvo::files_test
