// Damaged picture files for the lock screen's backdrop: small valid pictures of every kind,
// mutated at random (bit flips, cuts, header fields, random bytes), each loaded the way the
// lock screen loads its backdrop and, when it loads, painted in a window. Bounded in time and
// count. A crash or a hang fails the test; it prints the seed and the count of inputs tried
// and keeps the input in the artefacts folder. Every run takes a new seed, printed at the
// start, so that runs add up to more than one; DORBOLT_FUZZ_SEED repeats a run. The damage
// that once crashed the system's decoders is pinned down in PictureChecksTest.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "lock/controls/Graphics.h"
#include "lock/model/FormWith.h"
#include "lock/model/WindowModel.h"
#include "platform/PictureFile.h"
#include "tests/lock/Pictures.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {
namespace {

constexpr ULONGLONG kRunForMs = 20000;
constexpr int kMostInputs = 4000;
// One input taking this long is a hang; generous for a loaded machine.
constexpr ULONGLONG kHangMs = 30000;
constexpr SIZE kCanvas{200, 150};

// A backdrop window: one stretched picture, painted as the lock screen paints its own.
struct BackdropControls {
  explicit BackdropControls(Form& form) : Image3(form, {0, 0, 3000, 2250}, Image::Fit::Stretch) {}
  Image Image3;
};
class BackdropForm : public FormWith<BackdropControls> {
 public:
  explicit BackdropForm(WindowModel& model) : FormWith(model, L"FuzzBackdrop") {}
  Image& Image3() { return Ctl().Image3; }

 protected:
  FormDesign Design() const override {
    FormDesign design;
    design.border = Border::None;
    design.width = 3000;
    design.height = 2250;
    design.backColor = RGB(192, 192, 255);
    return design;
  }
};

// What the crash and hang handlers need to report: they run outside the test's own flow.
struct Progress {
  std::mutex lock;
  unsigned long long seed = 0;
  std::string input;
  std::wstring extension;
  std::atomic<int> tried{0};
  std::atomic<ULONGLONG> inputStarted{0};
  std::atomic<bool> running{false};
};
Progress& Current() {
  static Progress progress;
  return progress;
}

// Keeps the input that broke the loader, and says how to repeat the run.
void Report(const char* what) {
  Progress& p = Current();
  std::lock_guard<std::mutex> hold(p.lock);
  std::wstring kept;
  const std::wstring folder = ArtefactsDir();
  if (!folder.empty()) {
    kept = folder + L"\\picture-fuzz-" + std::wstring(what, what + std::strlen(what)) + L"-" +
           std::to_wstring(p.seed) + L"-" + std::to_wstring(p.tried.load()) + p.extension;
    WriteBytes(kept, p.input);
  }
  std::fprintf(stderr, "picture fuzz: %s at input %d, seed %llu (repeat with DORBOLT_FUZZ_SEED=%llu); input kept as %ls\n",
               what, p.tried.load(), p.seed, p.seed, kept.empty() ? L"(no artefacts folder)" : kept.c_str());
  std::fflush(stderr);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS*) {
  Report("crash");
  return EXCEPTION_EXECUTE_HANDLER;  // the process ends, the test fails
}

struct Seed {
  const wchar_t* extension;
  std::string bytes;
};

std::vector<Seed> ValidPictures() {
  ScratchFolder folder;
  std::vector<Seed> seeds;
  const std::pair<PictureKind, const wchar_t*> kinds[] = {
      {PictureKind::Bmp, L".bmp"}, {PictureKind::Gif, L".gif"}, {PictureKind::Jpeg, L".jpg"},
      {PictureKind::Png, L".png"}, {PictureKind::PlaceableWmf, L".wmf"}, {PictureKind::Emf, L".emf"},
  };
  for (const auto& [kind, extension] : kinds) {
    const std::wstring path = folder.File(std::wstring(L"seed") + extension);
    if (WriteTwoColourPicture(path, kind)) seeds.push_back({extension, ReadBytes(path)});
  }
  return seeds;
}

// One damaged copy of a valid picture.
std::string Mutate(const std::string& valid, std::mt19937_64& random) {
  std::string bytes = valid;
  auto below = [&random](size_t n) { return n == 0 ? size_t{0} : static_cast<size_t>(random() % n); };
  static constexpr unsigned kTelling[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
  const int rounds = 1 + static_cast<int>(below(4));
  for (int round = 0; round < rounds && !bytes.empty(); ++round) {
    switch (below(5)) {
      case 0:  // bit flips anywhere
        for (size_t n = 1 + below(8); n > 0; --n) bytes[below(bytes.size())] ^= static_cast<char>(1 << below(8));
        break;
      case 1:  // cut short
        bytes.resize(below(bytes.size()));
        break;
      case 2: {  // a header field: sizes, offsets, counts live in the first bytes
        const size_t at = below(std::min<size_t>(bytes.size(), 64));
        const size_t width = std::min<size_t>(1 + below(4), bytes.size() - at);
        const unsigned value = below(2) ? kTelling[below(std::size(kTelling))] : static_cast<unsigned>(random());
        for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (i % 4)));
        break;
      }
      case 3: {  // a run of random bytes
        const size_t at = below(bytes.size());
        for (size_t n = 1 + below(32); n > 0 && at + n <= bytes.size(); --n) bytes[at + n - 1] = static_cast<char>(random());
        break;
      }
      default: {  // a piece repeated: chunk and segment lengths stop agreeing
        const size_t at = below(bytes.size());
        const size_t length = std::min<size_t>(1 + below(64), bytes.size() - at);
        bytes.insert(below(bytes.size()), bytes.substr(at, length));
        break;
      }
    }
  }
  return bytes;
}

unsigned long long ChosenSeed() {
  if (const char* given = std::getenv("DORBOLT_FUZZ_SEED"); given && *given) return std::strtoull(given, nullptr, 10);
  return static_cast<unsigned long long>(::GetTickCount64()) ^ (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32);
}

TEST(PictureFuzz, DamagedPicturesNeverCrashOrHangTheBackdrop) {
  const std::vector<Seed> seeds = ValidPictures();
  ASSERT_EQ(seeds.size(), 6u) << "every kind of valid picture to start from";

  Progress& progress = Current();
  progress.seed = ChosenSeed();
  std::printf("picture fuzz: seed %llu\n", progress.seed);
  std::fflush(stdout);
  std::mt19937_64 random(progress.seed);

  WindowModel model;
  BackdropForm backdrop(model);
  backdrop.Show();
  // A window that never came would fail below as if a decoder had crashed.
  ASSERT_NE(backdrop.HwndIfLoaded(), nullptr);
  ScratchFolder folder;

  const LPTOP_LEVEL_EXCEPTION_FILTER previous = ::SetUnhandledExceptionFilter(&OnCrash);
  progress.running = true;
  std::thread watchdog([&progress] {
    while (progress.running) {
      ::Sleep(200);
      const ULONGLONG started = progress.inputStarted;
      if (started && ::GetTickCount64() - started > kHangMs) {
        Report("hang");
        ::TerminateProcess(::GetCurrentProcess(), 3);
      }
    }
  });

  int loaded = 0;
  const ULONGLONG end = ::GetTickCount64() + kRunForMs;
  while (progress.tried < kMostInputs && ::GetTickCount64() < end) {
    const Seed& seed = seeds[random() % seeds.size()];
    std::string input = Mutate(seed.bytes, random);
    const std::wstring path = folder.File(std::wstring(L"input") + seed.extension);
    ASSERT_TRUE(WriteBytes(path, input));
    {
      std::lock_guard<std::mutex> hold(progress.lock);
      progress.input = std::move(input);
      progress.extension = seed.extension;
    }
    ++progress.tried;
    progress.inputStarted = ::GetTickCount64();
    UniqueBitmap picture = LoadPictureFile(path, kCanvas, RGB(192, 192, 255));
    if (picture) {
      ++loaded;
      backdrop.Image3().SetPicture(std::move(picture));
      ::RedrawWindow(backdrop.Hwnd(), nullptr, nullptr, RDW_UPDATENOW);
    }
    progress.inputStarted = 0;
    // The window's own messages, as the lock screen's loop would run them.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  progress.running = false;
  watchdog.join();
  ::SetUnhandledExceptionFilter(previous);
  backdrop.Unload();

  std::printf("picture fuzz: seed %llu, %d inputs tried, %d loaded and painted\n", progress.seed,
              progress.tried.load(), loaded);
  EXPECT_GT(progress.tried.load(), 100) << "too few inputs to mean anything";
  EXPECT_LT(loaded, progress.tried.load()) << "damage that no decoder notices is no damage";
}

// Found by the loop above: the metafile player took a record's object slot on trust and read
// far outside its table, which ended the program, lock and all.
TEST(PictureFuzz, MetafileRecordsNamingNoSuchObjectOrRunningPastTheEndAreNoPicture) {
  ScratchFolder folder;
  const std::wstring path = folder.File(L"halves.emf");
  ASSERT_TRUE(WriteTwoColourPicture(path, PictureKind::Emf));
  const std::string valid = ReadBytes(path);
  auto dword = [](const std::string& b, size_t at) {
    DWORD v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
  };
  size_t select = 0;
  for (size_t at = 0; at + 8 <= valid.size(); at += dword(valid, at + 4)) {
    if (dword(valid, at) == EMR_SELECTOBJECT && (dword(valid, at + 8) & 0x80000000u) == 0) select = at;
    if (dword(valid, at + 4) == 0) break;
  }
  ASSERT_NE(select, 0u) << "the picture selects a brush it made";
  EXPECT_TRUE(LoadPictureFile(path, kCanvas, RGB(0, 0, 0))) << "the undamaged file loads";

  struct Case {
    const char* what;
    size_t at;
    DWORD value;
  };
  const Case cases[] = {
      {"a slot far past the table", select + 8, 0x70000001},
      {"a slot just past the table", select + 8, dword(valid, 56) & 0xFFFF},
      {"a record longer than the file", select + 4, 0x1000000},
      {"a record of no length", select + 4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = valid;
    std::memcpy(bytes.data() + c.at, &c.value, 4);
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_FALSE(LoadPictureFile(path, kCanvas, RGB(0, 0, 0)));
  }
}

}  // namespace
}  // namespace dorbolt::test
