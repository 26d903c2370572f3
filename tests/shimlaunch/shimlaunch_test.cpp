// shimlaunch.exe run as a real program under Wine: it starts KOVRA.EXE from
// its working directory, passes none of its own arguments on, and exits
// with the shell's answer.  Also its icon group and version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return fs::path(std::string(path, length)).parent_path();
}

fs::path Launcher() { return ProgramFolder() / "shimlaunch.exe"; }

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("shimlaunch-test-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

struct LauncherRun {
  bool finished = false;
  DWORD exitCode = 0;
};

// Starts the launcher with `arguments` in `folder` and waits for it.  A
// launcher that showed a message would wait for a click and never finish.
LauncherRun RunLauncher(const std::string& arguments, const fs::path& folder) {
  LauncherRun run;
  std::string commandLine = "\"";
  commandLine += Launcher().string();
  commandLine += "\" ";
  commandLine += arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.string().c_str(), &startup, &process)) {
    ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
    return run;
  }
  run.finished = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::string ReadBytes(const fs::path& path) {
  std::string bytes;
  std::ifstream in(path, std::ios::binary);
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::string WaitAndRead(const fs::path& path) {
  for (int i = 0; i < 300 && !fs::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return ReadBytes(path);
}

TEST(Shimlaunch, StartsKovraFromItsWorkingDirectoryWithoutArguments) {
  ScratchFolder folder;
  fs::copy_file(ProgramFolder() / "kovra_standin.exe", folder.Path() / "KOVRA.EXE");
  const LauncherRun run = RunLauncher("--profile \"C:\\some where\" -new", folder.Path());
  ASSERT_TRUE(run.finished);
  EXPECT_GT(run.exitCode, 32u);
  EXPECT_EQ(WaitAndRead(folder.Path() / "kovra-run.txt"), "ran\r\narguments=0\r\n");
  // Let the stand-in end before its folder is removed.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

TEST(Shimlaunch, WithoutKovraItExitsWithTheShellsAnswer) {
  ScratchFolder folder;
  const LauncherRun run = RunLauncher("ignored", folder.Path());
  ASSERT_TRUE(run.finished);
  EXPECT_LE(run.exitCode, 32u);

  // The very same request made here, from the same folder, gets the answer
  // the launcher exited with.
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().string().c_str()));
  const INT_PTR answer = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", "KOVRA.EXE", nullptr, nullptr, SW_SHOWNORMAL));
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(static_cast<INT_PTR>(run.exitCode), answer);
  EXPECT_TRUE(fs::is_empty(folder.Path()));
}

TEST(Shimlaunch, IsAWindowsProgramWithoutConsole) {
  const std::string image = ReadBytes(Launcher());
  ASSERT_GT(image.size(), 0x40u);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  const std::size_t pe = static_cast<std::size_t>(dos->e_lfanew);
  ASSERT_LT(pe + sizeof(IMAGE_NT_HEADERS), image.size());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + pe);
  ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

#pragma pack(push, 2)
// The layout of an icon group resource.
struct GroupIconEntry {
  BYTE width;
  BYTE height;
  BYTE colourCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytesInResource;
  WORD id;
};
struct GroupIconHeader {
  WORD reserved;
  WORD type;
  WORD count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

class LauncherResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(Launcher().string().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  const BYTE* Resource(LPCSTR name, LPCSTR type, DWORD& size) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (found == nullptr) return nullptr;
    size = SizeofResource(module_, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
  }
  HMODULE module_ = nullptr;
};

TEST_F(LauncherResources, IconGroup101Holds32And16PixelImagesIn16Colours) {
  DWORD size = 0;
  const BYTE* group = Resource(MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, size);
  ASSERT_NE(group, nullptr);
  const auto* header = reinterpret_cast<const GroupIconHeader*>(group);
  ASSERT_EQ(header->type, 1);
  ASSERT_EQ(header->count, 2);
  ASSERT_EQ(size, 6u + 2u * sizeof(GroupIconEntry));
  for (int i = 0; i < 2; ++i) {
    const GroupIconEntry& entry = header->entries[i];
    const int pixels = i == 0 ? 32 : 16;
    SCOPED_TRACE(pixels);
    EXPECT_EQ(entry.width, pixels);
    EXPECT_EQ(entry.height, pixels);
    EXPECT_EQ(entry.colourCount, 16);
    EXPECT_EQ(entry.bitCount, 4);

    // The image behind the entry: a 16-colour bitmap of that size, which
    // the system turns into an icon.
    DWORD imageSize = 0;
    const BYTE* image = Resource(MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3) /* RT_ICON */, imageSize);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(imageSize, entry.bytesInResource);
    const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image);
    EXPECT_EQ(bitmap->biWidth, pixels);
    EXPECT_EQ(bitmap->biHeight, 2 * pixels);  // colours and mask
    EXPECT_EQ(bitmap->biBitCount, 4);
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE, 0x00030000,
                                          pixels, pixels, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr) DestroyIcon(icon);
  }
}

TEST_F(LauncherResources, CarriesAVersionBlock) {
  const std::string path = Launcher().string();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  char* text = nullptr;
  UINT textSize = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\OriginalFilename",
                             reinterpret_cast<void**>(&text), &textSize));
  EXPECT_STREQ(text, "shimlaunch.exe");
}

}  // namespace
