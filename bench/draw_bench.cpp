// Drawing benchmark: our put_image and refresh conversion against SDL 1.2's blitter and
// conversion on the same pictures, with the ratio ours / SDL printed for every case.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/display/blit.h"
#include "runtime/display/display.h"
#include "runtime/display/image_table.h"

namespace kelvo {
namespace {

constexpr int kScreenW = 320, kScreenH = 300;

// A window's pixels are read by the X server after every refresh, so a conversion finds none of
// them in its cache: each conversion writes into the next of enough windows to overflow it.
constexpr size_t kColdBytes = size_t{64} << 20;

template <class Window>
class ColdWindows {
 public:
  ColdWindows(size_t bytesEach, std::function<Window()> make) {
    for (size_t made = 0; made < kColdBytes; made += bytesEach) windows_.push_back(make());
  }
  Window& next() { return windows_[at_++ % windows_.size()]; }

 private:
  std::vector<Window> windows_;
  size_t at_ = 0;
};
constexpr uint8_t kClear = 0;

// ---- The pictures: the same pixels for our images and SDL's surfaces ----

struct Picture {
  int width;
  int height;
  bool keyed;
  std::vector<uint8_t> pixels;
};

uint32_t mix(uint32_t v) {
  v ^= v >> 16;
  v *= 0x7FEB352Du;
  v ^= v >> 15;
  return v;
}

// A round sprite: opaque inside the circle, clear around it.
Picture sprite(int size) {
  Picture p{size, size, true, std::vector<uint8_t>(static_cast<size_t>(size) * size)};
  const float r = size / 2.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float dx = x + 0.5f - r, dy = y + 0.5f - r;
      const bool inside = dx * dx + dy * dy <= r * r;
      p.pixels[static_cast<size_t>(y) * size + x] =
          inside ? static_cast<uint8_t>(1 + mix(static_cast<uint32_t>(x * 31 + y)) % 200) : kClear;
    }
  }
  return p;
}

// An opaque sky of horizontal colour bands, taller than the screen.
Picture sky() {
  Picture p{kScreenW, 600, false, std::vector<uint8_t>(static_cast<size_t>(kScreenW) * 600)};
  for (int y = 0; y < p.height; ++y) {
    std::memset(p.pixels.data() + static_cast<size_t>(y) * kScreenW, 104 + y / 24, kScreenW);
  }
  return p;
}

// Sloping girders across a tall picture: long opaque runs between wide clear gaps.
Picture structure() {
  Picture p{kScreenW, 1000, true, std::vector<uint8_t>(static_cast<size_t>(kScreenW) * 1000)};
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < kScreenW; ++x) {
      const int slope = (y + x / 16) % 100;
      const bool girder = slope < 10 && x > 20 && x < 300;
      const bool ladder = (x % 90 < 6) && slope > 10;
      p.pixels[static_cast<size_t>(y) * kScreenW + x] = girder   ? static_cast<uint8_t>(40 + slope)
                                                        : ladder ? 7
                                                                 : kClear;
    }
  }
  return p;
}

// Weather over the whole screen: short scattered streaks, mostly clear.
Picture overlay() {
  Picture p{kScreenW, kScreenH, true,
            std::vector<uint8_t>(static_cast<size_t>(kScreenW) * kScreenH)};
  for (size_t i = 0; i < p.pixels.size(); ++i) {
    p.pixels[i] = mix(static_cast<uint32_t>(i / 3)) % 12 == 0 ? 31 : kClear;
  }
  return p;
}

enum Pic { kSprite16, kSprite32, kSky, kStructure, kOverlay, kPictures };

struct Placed {
  int x, y;
};

// Sprite positions over the whole screen, some of them across its edges.
std::vector<Placed> positions(int count, int seed) {
  std::vector<Placed> out;
  for (int i = 0; i < count; ++i) {
    const uint32_t h = mix(static_cast<uint32_t>(i * 977 + seed));
    out.push_back({static_cast<int>(h % 340) - 10, static_cast<int>((h >> 12) % 320) - 10});
  }
  return out;
}

// ---- Our side ----

struct Ours {
  WaitHub hub;
  Errors errors{hub};
  ImageTable table{errors};
  int32_t screen = 0;
  std::array<int32_t, kPictures> images{};
  FrameCopy display;
  ColdWindows<std::vector<uint32_t>> windows{
      36u * kScreenW * kScreenH, [] { return std::vector<uint32_t>(9 * kScreenW * kScreenH, 1); }};

  Ours() {
    table.set_screen(0, kArg0);
    screen = table.new_image(kScreenW, kScreenH, 256, kArg0);
    table.set_screen(screen, kArg0);
  }
  void add(Pic name, const Picture& p) {
    const int32_t h = table.new_image(p.width, p.height, 256, kArg0);
    Image* img = table.resolve(h);
    img->pixels = p.pixels;
    img->clearColour = p.keyed ? kClear : -1;
    images[name] = h;
  }
  void put(Pic name, int x, int y) {
    put_image(table, errors,
              {.x1 = static_cast<double>(x),
               .y1 = static_cast<double>(y),
               .source = images[name],
               .passed = kPutCorner1 | kPutSource});
  }
  void clear() {
    Image* s = table.display_image();
    std::memset(s->pixels.data(), 0, s->pixels.size());
  }
  // Changes the frame's last pixel, so the next refresh cannot find it unchanged.
  void touch() { table.display_image()->pixels.back() ^= 1; }
  // The conversion of the frame already taken, as the window's refresh does it.
  void convert(int scale) {
    convert_frame(display.frame(),
                  {windows.next().data(), kScreenW * scale, kScreenH * scale, kScreenW * scale},
                  scale, 0, 0);
  }
  // A whole refresh: the frame is compared with the last one, copied, then converted.
  void refresh(int scale) {
    display.take_frame(*table.display_image());
    convert(scale);
  }
};

// ---- SDL's side ----

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface indexed_surface(int w, int h) {
  Surface s(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0));
  SDL_Color colours[256];
  for (int i = 0; i < 256; ++i) {
    const uint32_t c = default_palette()[static_cast<size_t>(i)];
    colours[i] = {red_of(c), green_of(c), blue_of(c), 0};
  }
  SDL_SetColors(s.get(), colours, 0, 256);
  return s;
}

Surface argb_surface(int w, int h) {
  return Surface(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0));
}

struct Sdl {
  Surface screen = indexed_surface(kScreenW, kScreenH);
  Surface between = argb_surface(kScreenW, kScreenH);  // scale 2: SDL converts, then stretches
  ColdWindows<Surface> windows1{4u * kScreenW * kScreenH,
                                [] { return argb_surface(kScreenW, kScreenH); }};
  ColdWindows<Surface> windows2{16u * kScreenW * kScreenH,
                                [] { return argb_surface(2 * kScreenW, 2 * kScreenH); }};
  ColdWindows<Surface> windows3{36u * kScreenW * kScreenH,
                                [] { return argb_surface(3 * kScreenW, 3 * kScreenH); }};
  std::array<Surface, kPictures> images;

  explicit Sdl(bool rle) : rle_(rle) {}
  void add(Pic name, const Picture& p) {
    Surface s = indexed_surface(p.width, p.height);
    for (int y = 0; y < p.height; ++y) {
      std::memcpy(static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch,
                  p.pixels.data() + static_cast<size_t>(y) * p.width, static_cast<size_t>(p.width));
    }
    if (p.keyed) SDL_SetColorKey(s.get(), SDL_SRCCOLORKEY | (rle_ ? SDL_RLEACCEL : 0), kClear);
    images[name] = std::move(s);
  }
  void put(Pic name, int x, int y) {
    SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(images[name].get(), nullptr, screen.get(), &at);
  }
  void clear() { SDL_FillRect(screen.get(), nullptr, 0); }
  void touch() {
    static_cast<uint8_t*>(
        screen->pixels)[static_cast<size_t>(kScreenH - 1) * screen->pitch + kScreenW - 1] ^= 1;
  }
  // SDL's 8-to-32-bit conversion, then a stretching pass for larger scales.
  void convert(int scale) {
    if (scale == 1) {
      SDL_BlitSurface(screen.get(), nullptr, windows1.next().get(), nullptr);
      return;
    }
    SDL_BlitSurface(screen.get(), nullptr, between.get(), nullptr);
    SDL_SoftStretch(between.get(), nullptr, (scale == 2 ? windows2 : windows3).next().get(),
                    nullptr);
  }
  void refresh(int scale) { convert(scale); }

 private:
  bool rle_;
};

// ---- The cases, written once for both sides ----

const std::vector<Placed>& small_places() {
  static const auto p = positions(60, 1);
  return p;
}
const std::vector<Placed>& large_places() {
  static const auto p = positions(10, 2);
  return p;
}

template <class Side>
void add_pictures(Side& side) {
  side.add(kSprite16, sprite(16));
  side.add(kSprite32, sprite(32));
  side.add(kSky, sky());
  side.add(kStructure, structure());
  side.add(kOverlay, overlay());
}

template <class Side>
void draw_frame(Side& side) {
  side.clear();
  side.put(kSky, 0, -150);
  side.put(kStructure, 0, -400);
  for (const Placed& p : small_places()) side.put(kSprite16, p.x, p.y);
  for (const Placed& p : large_places()) side.put(kSprite32, p.x, p.y);
  side.put(kOverlay, 0, 0);
}

template <class Side>
void run_case(benchmark::State& state, Side& side, const std::string& name) {
  if (name == "sprite16" || name == "sprite32") {
    const Pic pic = name == "sprite16" ? kSprite16 : kSprite32;
    for (auto _ : state) {
      for (const Placed& p : small_places()) side.put(pic, p.x, p.y);
    }
  } else if (name == "sky") {
    for (auto _ : state) side.put(kSky, 0, -150);
  } else if (name == "structure") {
    for (auto _ : state) side.put(kStructure, 0, -400);
  } else if (name == "overlay") {
    for (auto _ : state) side.put(kOverlay, 0, 0);
  } else if (name == "frame") {
    for (auto _ : state) draw_frame(side);
  } else if (name.starts_with("convert")) {
    draw_frame(side);
    side.refresh(1);
    const int scale = name.back() - '0';
    for (auto _ : state) side.convert(scale);
  } else if (name == "frame+convert2") {
    for (auto _ : state) {
      draw_frame(side);
      side.touch();
      side.refresh(2);
    }
  }
}

Ours& ours() {
  static Ours* o = [] {
    auto* side = new Ours;
    add_pictures(*side);
    return side;
  }();
  return *o;
}

Sdl& sdl(bool rle) {
  static Sdl* plain = nullptr;
  static Sdl* accelerated = nullptr;
  Sdl*& side = rle ? accelerated : plain;
  if (!side) {
    side = new Sdl(rle);
    add_pictures(*side);
  }
  return *side;
}

const char* const kCases[] = {"sprite16", "sprite32", "sky",      "structure", "overlay",
                              "frame",    "convert1", "convert2", "convert3",  "frame+convert2"};

void register_cases() {
  for (const char* c : kCases) {
    const std::string name = c;
    benchmark::RegisterBenchmark(("ours/" + name).c_str(),
                                 [name](benchmark::State& s) { run_case(s, ours(), name); });
    benchmark::RegisterBenchmark(("sdl_key/" + name).c_str(),
                                 [name](benchmark::State& s) { run_case(s, sdl(false), name); });
    benchmark::RegisterBenchmark(("sdl_rle/" + name).c_str(),
                                 [name](benchmark::State& s) { run_case(s, sdl(true), name); });
  }
  // The refresh of a frame equal to the last one shown: the comparison finds nothing to do.
  benchmark::RegisterBenchmark("ours/unchanged_refresh", [](benchmark::State& s) {
    Ours& o = ours();
    draw_frame(o);
    o.display.take_frame(*o.table.display_image());
    for (auto _ : s) benchmark::DoNotOptimize(o.display.take_frame(*o.table.display_image()));
  });
}

// Keeps the median of each benchmark's repetitions, in nanoseconds.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.aggregate_name == "median") {
        medians[r.run_name.function_name] =
            r.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
            benchmark::GetTimeUnitMultiplier(r.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

void print_ratios(const std::map<std::string, double>& m) {
  std::printf("\n%-16s %12s %12s %12s %10s %10s\n", "case (median)", "ours us", "sdl key us",
              "sdl rle us", "ours/key", "ours/rle");
  for (const char* c : kCases) {
    const std::string n = c;
    const auto get = [&m](const std::string& k) {
      const auto it = m.find(k);
      return it == m.end() ? 0.0 : it->second / 1000.0;
    };
    const double o = get("ours/" + n), k = get("sdl_key/" + n), r = get("sdl_rle/" + n);
    std::printf("%-16s %12.3f %12.3f %12.3f %10.3f %10.3f\n", c, o, k, r, k > 0 ? o / k : 0,
                r > 0 ? o / r : 0);
  }
  const auto it = m.find("ours/unchanged_refresh");
  if (it != m.end()) std::printf("unchanged-frame refresh: %.3f us\n", it->second / 1000.0);
}

}  // namespace
}  // namespace kelvo

int main(int argc, char** argv) {
  // Repeated batches by default, so every figure is a median.
  std::vector<char*> args(argv, argv + argc);
  std::string reps = "--benchmark_repetitions=9", only = "--benchmark_report_aggregates_only=true";
  bool repsGiven = false;
  for (int i = 1; i < argc; ++i) repsGiven |= std::strstr(argv[i], "repetitions") != nullptr;
  if (!repsGiven) {
    args.push_back(reps.data());
    args.push_back(only.data());
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  kelvo::register_cases();
  kelvo::MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  kelvo::print_ratios(reporter.medians);
  return 0;
}
