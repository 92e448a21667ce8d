// The release executable as shipped: a 64-bit GUI image, stripped and
// reproducible, with ASLR and DEP, needing only Windows' own DLLs, with the
// stack protector linked in and the icon, manifest, version record, menu and
// shortcuts in its resources. The image is read byte by byte, so these checks
// build and run on any host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvanel {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Thrown by every read that would leave the file or the block it reads from,
// so a truncated or corrupt image fails the test that reads it.
class Corrupt : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Hex(std::uint32_t value) {
  std::ostringstream text;
  text << "0x" << std::hex << value;
  return text.str();
}

Bytes Slice(Bytes bytes, std::size_t offset, std::size_t size) {
  if (offset > bytes.size() || size > bytes.size() - offset) {
    throw Corrupt("reading " + std::to_string(size) + " bytes at " + std::to_string(offset) + " leaves a block of " +
                  std::to_string(bytes.size()));
  }
  return bytes.subspan(offset, size);
}

std::uint32_t Little(Bytes bytes, std::size_t offset, std::size_t width) {
  const Bytes field = Slice(bytes, offset, width);
  std::uint32_t value = 0;
  for (auto byte = field.rbegin(); byte != field.rend(); ++byte) value = value << 8 | *byte;
  return value;
}

std::uint32_t U8(Bytes bytes, std::size_t offset) { return Little(bytes, offset, 1); }
std::uint32_t U16(Bytes bytes, std::size_t offset) { return Little(bytes, offset, 2); }
std::uint32_t U32(Bytes bytes, std::size_t offset) { return Little(bytes, offset, 4); }

// PNG numbers are big-endian.
std::uint32_t BigU32(Bytes bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::uint8_t byte : Slice(bytes, offset, 4)) value = value << 8 | byte;
  return value;
}

std::string CString(Bytes bytes, std::size_t offset) {
  const Bytes rest = Slice(bytes, offset, bytes.size() - std::min(offset, bytes.size()));
  const auto end = std::find(rest.begin(), rest.end(), 0);
  if (end == rest.end()) throw Corrupt("unterminated string at " + std::to_string(offset));
  return std::string(rest.begin(), end);
}

std::size_t Align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

// UTF-16LE code units up to the first NUL or the end of the bytes.
std::u16string Units(Bytes utf16) {
  std::u16string units;
  for (std::size_t at = 0; at + 1 < utf16.size() && U16(utf16, at) != 0; at += 2) units += char16_t(U16(utf16, at));
  return units;
}

// Unpaired surrogates become U+FFFD, so a damaged string still compares.
std::string ToUtf8(std::u16string_view text) {
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    const bool high = c >= 0xD800 && c < 0xDC00;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      utf8 += char(c);
    } else if (c < 0x800) {
      utf8 += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      utf8 += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    } else {
      utf8 +=
          {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    }
  }
  return utf8;
}

enum DataDirectory : std::size_t { kImports = 1, kResources = 2, kRelocations = 5, kDebug = 6, kDelayImports = 13 };

enum ResourceType : std::uint16_t {
  kRtIcon = 3,
  kRtMenu = 4,
  kRtAccelerator = 9,
  kRtGroupIcon = 14,
  kRtVersion = 16,
  kRtManifest = 24,
};

struct Section {
  std::string name;
  std::uint32_t rva;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
};

// A PE image in memory: the file and optional headers, the section table and
// the data directories, with RVAs turned into file offsets through the
// sections' file data.
class PeImage {
 public:
  explicit PeImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Corrupt("cannot open " + path);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (U16(file(), 0) != 0x5A4D) throw Corrupt(path + " has no MZ header");
    const std::size_t pe = U32(file(), 0x3C);
    if (U32(file(), pe) != 0x00004550) throw Corrupt(path + " has no PE signature");
    header_ = pe + 4;
    optional_ = header_ + 20;
    const std::size_t table = optional_ + U16(fileHeader(), 16);
    for (std::size_t i = 0; i < U16(fileHeader(), 2); ++i) {
      const Bytes entry = Slice(file(), table + 40 * i, 40);
      sections_.push_back({SectionName(Slice(entry, 0, 8)), U32(entry, 12), U32(entry, 16), U32(entry, 20)});
    }
  }

  std::uint32_t Machine() const { return U16(fileHeader(), 0); }
  std::uint32_t TimeDateStamp() const { return U32(fileHeader(), 4); }
  std::uint32_t SymbolTable() const { return U32(fileHeader(), 8); }
  std::uint32_t SymbolCount() const { return U32(fileHeader(), 12); }
  std::uint32_t Characteristics() const { return U16(fileHeader(), 18); }
  std::uint32_t Magic() const { return U16(optionalHeader(), 0); }
  std::uint32_t Subsystem() const { return U16(optionalHeader(), 68); }
  std::uint32_t DllCharacteristics() const { return U16(optionalHeader(), 70); }
  const std::vector<Section>& Sections() const { return sections_; }

  std::size_t RvaToOffset(std::uint32_t rva) const {
    for (const Section& section : sections_) {
      if (rva >= section.rva && rva - section.rva < section.rawSize) {
        return std::size_t{section.rawOffset} + (rva - section.rva);
      }
    }
    throw Corrupt("RVA " + Hex(rva) + " is in no section's file data");
  }

  Bytes At(std::uint32_t rva, std::size_t size) const { return Slice(file(), RvaToOffset(rva), size); }

  // The bytes of a data directory; empty when the image has none.
  Bytes Directory(std::size_t index) const {
    const bool plus = Magic() == 0x20B;
    if (index >= U32(optionalHeader(), plus ? 108 : 92)) return {};
    const Bytes entry = Slice(optionalHeader(), (plus ? 112 : 96) + 8 * index, 8);
    return U32(entry, 4) == 0 ? Bytes{} : At(U32(entry, 0), U32(entry, 4));
  }

  // Both the loaded and the delay-loaded DLLs.
  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> names = DllNames(Directory(kImports), 20, 12);
    for (std::string& name : DllNames(Directory(kDelayImports), 32, 4)) names.push_back(std::move(name));
    return names;
  }

  // The data of resource type/id in its first language; nothing when the
  // image has no such resource.
  std::optional<Bytes> Resource(std::uint32_t type, std::uint32_t id) const {
    const Bytes tree = Directory(kResources);
    if (tree.empty()) return std::nullopt;
    const std::optional<std::uint32_t> names = Subdirectory(tree, 0, type);
    const std::optional<std::uint32_t> languages = names ? Subdirectory(tree, *names, id) : std::nullopt;
    if (!languages || U16(tree, *languages + 12) + U16(tree, *languages + 14) == 0) return std::nullopt;
    const std::uint32_t data = U32(tree, *languages + 20);
    if (data & kSubdirectory) {
      throw Corrupt("resource " + std::to_string(type) + "/" + std::to_string(id) + " nests too deep");
    }
    return At(U32(tree, data), U32(tree, data + 4));
  }

 private:
  static constexpr std::uint32_t kSubdirectory = 0x80000000;

  Bytes file() const { return bytes_; }
  Bytes fileHeader() const { return Slice(file(), header_, 20); }
  Bytes optionalHeader() const { return Slice(file(), optional_, U16(fileHeader(), 16)); }

  // Names longer than eight bytes are "/offset" into the COFF string table,
  // which follows the symbol table.
  std::string SectionName(Bytes field) const {
    std::string name(field.begin(), std::find(field.begin(), field.end(), 0));
    const char* end = name.data() + name.size();
    std::size_t offset = 0;
    if (name.size() < 2 || name[0] != '/' || SymbolTable() == 0 ||
        std::from_chars(name.data() + 1, end, offset).ptr != end) {
      return name;
    }
    return CString(file(), std::size_t{SymbolTable()} + 18 * std::size_t{SymbolCount()} + offset);
  }

  // Import descriptors end at the first one without a name.
  std::vector<std::string> DllNames(Bytes table, std::size_t stride, std::size_t nameField) const {
    std::vector<std::string> names;
    for (std::size_t at = 0; at < table.size() && U32(table, at + nameField) != 0; at += stride) {
      names.push_back(CString(file(), RvaToOffset(U32(table, at + nameField))));
    }
    return names;
  }

  static std::optional<std::uint32_t> Subdirectory(Bytes tree, std::uint32_t directory, std::uint32_t id) {
    const std::size_t count = std::size_t{U16(tree, directory + 12)} + U16(tree, directory + 14);
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t entry = directory + 16 + 8 * i;
      if (U32(tree, entry) != id) continue;
      const std::uint32_t target = U32(tree, entry + 4);
      if (!(target & kSubdirectory)) {
        throw Corrupt("resource entry " + std::to_string(id) + " stops short of a language");
      }
      return target & ~kSubdirectory;
    }
    return std::nullopt;
  }

  std::vector<std::uint8_t> bytes_;
  std::size_t header_ = 0;
  std::size_t optional_ = 0;
  std::vector<Section> sections_;
};

// One block of a version record: a key, a value and nested blocks, each
// starting on a 32-bit boundary.
struct VersionBlock {
  std::string key;
  Bytes value;
  std::vector<VersionBlock> children;

  std::string Text() const { return ToUtf8(Units(value)); }

  const VersionBlock* Child(std::string_view name) const {
    const auto child =
        std::find_if(children.begin(), children.end(), [&](const VersionBlock& c) { return c.key == name; });
    return child == children.end() ? nullptr : &*child;
  }
};

VersionBlock ParseVersionBlock(Bytes bytes) {
  const Bytes block = Slice(bytes, 0, U16(bytes, 0));
  const std::uint32_t valueLength = U16(block, 2);
  const bool text = U16(block, 4) == 1;  // text values count UTF-16 units, binary ones bytes
  std::size_t at = 6;
  std::u16string key;
  for (std::uint32_t unit; (unit = U16(block, at)) != 0; at += 2) key += char16_t(unit);
  at = Align4(at + 2);
  VersionBlock parsed{ToUtf8(key), Slice(block, at, text ? 2 * valueLength : valueLength), {}};
  for (at = Align4(at + parsed.value.size()); at < block.size(); at = Align4(at + U16(block, at))) {
    parsed.children.push_back(ParseVersionBlock(block.subspan(at)));
  }
  return parsed;
}

// The release executable named by CORVANEL_EXE.
class ReleaseImage : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("CORVANEL_EXE");
    ASSERT_NE(nullptr, path) << "CORVANEL_EXE is not set: point it at the release corvanel.exe";
    image_.emplace(path);
  }

  const PeImage& image() const { return *image_; }

 private:
  std::optional<PeImage> image_;
};

TEST_F(ReleaseImage, IsA64BitWindowsGuiProgram) {
  EXPECT_EQ(0x20Bu, image().Magic()) << "not PE32+";
  EXPECT_EQ(0x8664u, image().Machine()) << "not AMD64";
  EXPECT_EQ(2u, image().Subsystem()) << "not a Windows GUI program: a console would open with the window";
}

TEST_F(ReleaseImage, IsStrippedAndReproducible) {
  EXPECT_EQ(0u, image().TimeDateStamp()) << "the link time makes every build's bytes differ";
  EXPECT_EQ(0u, image().SymbolTable()) << "COFF symbol table left in";
  EXPECT_EQ(0u, image().SymbolCount()) << "COFF symbols left in";
  for (const Section& section : image().Sections()) {
    EXPECT_FALSE(section.name.starts_with(".debug")) << "debug information left in: " << section.name;
  }
  constexpr std::uint32_t kCodeView = 2;
  const Bytes debug = image().Directory(kDebug);
  for (std::size_t at = 0; at + 28 <= debug.size(); at += 28) {
    if (U32(debug, at + 12) != kCodeView) continue;
    const Bytes record = image().At(U32(debug, at + 20), U32(debug, at + 16));
    const std::size_t path = U32(record, 0) == 0x53445352 ? 24 : 16;  // after RSDS, GUID and age, or NB10's fields
    EXPECT_EQ("", CString(record, path)) << "the CodeView record names a PDB file on the build machine";
  }
}

TEST_F(ReleaseImage, LoadsAtARandomAddressWithoutExecutableData) {
  struct Flag {
    std::uint32_t bit;
    const char* name;
  };
  constexpr Flag kHardening[] = {
      {0x0020, "HIGH_ENTROPY_VA: ASLR across the whole 64-bit address space"},
      {0x0040, "DYNAMIC_BASE: ASLR"},
      {0x0100, "NX_COMPAT: data pages not executable"},
  };
  for (const Flag& flag : kHardening) EXPECT_TRUE(image().DllCharacteristics() & flag.bit) << "missing " << flag.name;

  // Without relocations the loader cannot move the image, whatever the flags say.
  constexpr std::uint32_t kRelocationsStripped = 0x0001;
  EXPECT_FALSE(image().Characteristics() & kRelocationsStripped) << "relocations stripped";
  const Bytes relocations = image().Directory(kRelocations);
  ASSERT_GE(relocations.size(), 8u) << "no base relocation directory";
  EXPECT_GT(U32(relocations, 4), 8u) << "the first base relocation block is empty";
}

TEST_F(ReleaseImage, ImportsOnlyWindowsOwnDlls) {
  const std::set<std::string> kWindows = {"kernel32.dll", "user32.dll", "gdi32.dll",    "shell32.dll",
                                          "ole32.dll",    "imm32.dll",  "advapi32.dll", "msvcrt.dll"};
  const std::set<std::string> kRuntime = {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll",
                                          "libssp-0.dll"};
  const std::vector<std::string> dlls = image().ImportedDlls();
  ASSERT_FALSE(dlls.empty()) << "no imports found";
  for (const std::string& dll : dlls) {
    std::string lower = dll;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_FALSE(kRuntime.contains(lower)) << dll << " is the compiler's runtime: it must be linked statically";
    EXPECT_TRUE(kWindows.contains(lower)) << dll << " does not come with Windows";
  }
}

TEST_F(ReleaseImage, CarriesTheIconInEverySizeAndDepth) {
  struct IconImage {
    std::uint32_t size;
    std::uint32_t colors;
    std::uint32_t bits;
  };
  constexpr IconImage kIcons[] = {
      {16, 16, 4}, {32, 16, 4}, {48, 16, 4}, {16, 0, 8},   {32, 0, 8},   {48, 0, 8},
      {16, 0, 32}, {32, 0, 32}, {48, 0, 32}, {128, 0, 32}, {256, 0, 32},
  };
  constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

  const std::optional<Bytes> group = image().Resource(kRtGroupIcon, 1);
  ASSERT_TRUE(group) << "no icon group 1";
  EXPECT_EQ(1u, U16(*group, 2)) << "the group is not of icons";
  ASSERT_EQ(std::size(kIcons), U16(*group, 4));
  for (std::size_t i = 0; i < std::size(kIcons); ++i) {
    const IconImage& want = kIcons[i];
    SCOPED_TRACE(std::to_string(want.size) + " px at " + std::to_string(want.bits) + " bits");
    const Bytes entry = Slice(*group, 6 + 14 * i, 14);
    EXPECT_EQ(want.size % 256, U8(entry, 0)) << "width; 0 stands for 256";
    EXPECT_EQ(want.size % 256, U8(entry, 1)) << "height; 0 stands for 256";
    EXPECT_EQ(want.colors, U8(entry, 2));
    EXPECT_EQ(want.bits, U16(entry, 6));

    const std::optional<Bytes> icon = image().Resource(kRtIcon, U16(entry, 12));
    ASSERT_TRUE(icon) << "no icon " << U16(entry, 12);
    EXPECT_EQ(U32(entry, 8), icon->size()) << "the group's size of icon " << U16(entry, 12);
    if (want.size == 256) {
      EXPECT_TRUE(std::ranges::equal(kPngSignature, Slice(*icon, 0, 8))) << "not PNG";
      EXPECT_EQ(0x49484452u, BigU32(*icon, 12)) << "no IHDR chunk first";
      EXPECT_EQ(want.size, BigU32(*icon, 16)) << "PNG width";
      EXPECT_EQ(want.size, BigU32(*icon, 20)) << "PNG height";
    } else {
      EXPECT_EQ(40u, U32(*icon, 0)) << "not a BITMAPINFOHEADER";
      EXPECT_EQ(want.size, U32(*icon, 4)) << "bitmap width";
      EXPECT_EQ(2 * want.size, U32(*icon, 8)) << "bitmap height, colour and mask together";
      EXPECT_EQ(want.bits, U16(*icon, 14)) << "bitmap depth";
    }
  }
}

TEST_F(ReleaseImage, ManifestRunsUnelevatedOnWindows10WithPerMonitorDpi) {
  struct Clause {
    std::string_view text;
    const char* why;
  };
  constexpr Clause kClauses[] = {
      {R"(level="asInvoker")", "which runs the program without asking for elevation"},
      {"PerMonitorV2", "which keeps the window sharp at each monitor's scaling"},
      {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "which declares Windows 10 and 11, so they report their own version"},
  };
  const std::optional<Bytes> manifest = image().Resource(kRtManifest, 1);
  ASSERT_TRUE(manifest) << "no manifest 1";
  const std::string xml(manifest->begin(), manifest->end());
  for (const Clause& clause : kClauses) {
    EXPECT_TRUE(xml.find(clause.text) != std::string::npos)
        << "the manifest lacks " << clause.text << ", " << clause.why;
  }
}

TEST_F(ReleaseImage, VersionRecordNamesTheProgram) {
  struct Field {
    std::size_t offset;
    std::uint32_t value;
    const char* name;
  };
  constexpr Field kFixed[] = {
      {0, 0xFEEF04BD, "dwSignature"}, {8, 0x00010000, "dwFileVersionMS"},
      {12, 0, "dwFileVersionLS"},     {16, 0x00010000, "dwProductVersionMS"},
      {20, 0, "dwProductVersionLS"},  {32, 0x00000004, "dwFileOS, VOS__WINDOWS32"},
      {36, 1, "dwFileType, VFT_APP"},
  };
  const std::map<std::string, std::string> kStrings = {
      {"Comments", "这是一个Corvanel"}, {"FileDescription", "这是一个Corvanel"}, {"FileVersion", "1.0.0.0"},
      {"ProductName", "Corvanel"},      {"ProductVersion", "1.0.0.0"},
  };

  const std::optional<Bytes> record = image().Resource(kRtVersion, 1);
  ASSERT_TRUE(record) << "no version record 1";
  const VersionBlock root = ParseVersionBlock(*record);
  EXPECT_EQ("VS_VERSION_INFO", root.key);
  ASSERT_EQ(52u, root.value.size()) << "no VS_FIXEDFILEINFO";
  for (const Field& field : kFixed) EXPECT_EQ(Hex(field.value), Hex(U32(root.value, field.offset))) << field.name;

  const VersionBlock* files = root.Child("StringFileInfo");
  ASSERT_NE(nullptr, files) << "no StringFileInfo";
  ASSERT_EQ(1u, files->children.size()) << "one string table, for Chinese (PRC) in UTF-16";
  const VersionBlock& table = files->children.front();
  EXPECT_EQ("080404B0", table.key);
  std::map<std::string, std::string> strings;
  for (const VersionBlock& value : table.children) strings[value.key] = value.Text();
  for (const auto& [name, text] : kStrings) EXPECT_EQ(text, strings[name]) << name;
  for (const char* name : {"CompanyName", "LegalCopyright"}) EXPECT_NE("", strings[name]) << name;

  const VersionBlock* vars = root.Child("VarFileInfo");
  ASSERT_NE(nullptr, vars) << "no VarFileInfo";
  const VersionBlock* translation = vars->Child("Translation");
  ASSERT_NE(nullptr, translation) << "no Translation";
  ASSERT_EQ(4u, translation->value.size()) << "one language and code page";
  EXPECT_EQ(0x0804u, U16(translation->value, 0)) << "language, Chinese (PRC)";
  EXPECT_EQ(1200u, U16(translation->value, 2)) << "code page, UTF-16";
}

TEST_F(ReleaseImage, CarriesTheMenuBarAndShortcuts) {
  struct Named {
    std::uint16_t type;
    std::uint16_t id;
    const char* what;
  };
  constexpr Named kResources[] = {{kRtMenu, 101, "menu bar"}, {kRtAccelerator, 102, "shortcut table"}};
  for (const Named& resource : kResources) {
    const std::optional<Bytes> data = image().Resource(resource.type, resource.id);
    EXPECT_TRUE(data && !data->empty()) << "no " << resource.what << " " << resource.id;
  }
}

// The map the linker wrote next to the executable (CORVANEL_LINK_MAP names
// another): the stripped executable no longer says what went into it.
TEST(ReleaseLinkMap, LinksTheStackProtectorCheck) {
  std::string path;
  if (const char* named = std::getenv("CORVANEL_LINK_MAP")) {
    path = named;
  } else if (const char* exe = std::getenv("CORVANEL_EXE")) {
    path = std::string(exe);
    path = path.substr(0, path.find_last_of("/\\") + 1) + "corvanel.map";
  }
  ASSERT_FALSE(path.empty()) << "neither CORVANEL_LINK_MAP nor CORVANEL_EXE is set: point one at the release build";
  std::ifstream map(path);
  ASSERT_TRUE(map) << "cannot open " << path;
  // A symbol placed in the image has a line of its own: its non-zero address
  // and its name. Discarded sections show address zero.
  std::set<std::string> placed;
  for (std::string line; std::getline(map, line);) {
    std::istringstream fields(line);
    std::string address, symbol, more;
    if (fields >> address >> symbol && !(fields >> more) && address.starts_with("0x") &&
        address.find_first_not_of('0', 2) != std::string::npos) {
      placed.insert(symbol);
    }
  }
  for (const char* symbol : {"__stack_chk_fail", "__stack_chk_guard"}) {
    EXPECT_TRUE(placed.contains(symbol)) << symbol << " is not linked in, by " << path;
  }
}

}  // namespace
}  // namespace corvanel
