// The dynamic symbols a shared library exports, read from its ELF file.

#ifndef VEXAL_TESTS_SUPPORT_ELF_SYMBOLS_H_
#define VEXAL_TESTS_SUPPORT_ELF_SYMBOLS_H_

#include <elf.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace vexal::test {

// The names of the defined global and weak symbols of a 64-bit ELF file's
// dynamic symbol table.
inline std::set<std::string> definedDynamicSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (file.size() < sizeof(Elf64_Ehdr)) return names;
  const auto* header = reinterpret_cast<const Elf64_Ehdr*>(file.data());
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(file.data() + header->e_shoff);
  for (int i = 0; i < header->e_shnum; ++i) {
    if (sections[i].sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr& strings = sections[sections[i].sh_link];
    const auto* symbols = reinterpret_cast<const Elf64_Sym*>(file.data() + sections[i].sh_offset);
    std::size_t count = sections[i].sh_size / sizeof(Elf64_Sym);
    for (std::size_t k = 0; k < count; ++k) {
      const Elf64_Sym& s = symbols[k];
      int binding = ELF64_ST_BIND(s.st_info);
      if (s.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK)) continue;
      names.insert(file.data() + strings.sh_offset + s.st_name);
    }
  }
  return names;
}

}  // namespace vexal::test

#endif  // VEXAL_TESTS_SUPPORT_ELF_SYMBOLS_H_
