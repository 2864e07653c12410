// Record lines of the test record type TST_01 (see test_rule_set.h).

#ifndef VEXAL_TESTS_SUPPORT_TST_LINES_H_
#define VEXAL_TESTS_SUPPORT_TST_LINES_H_

#include <string>
#include <vector>

namespace tst {

// Pads or cuts text to exactly width characters.
inline std::string fit(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

struct Pos {
  std::string ke = "POS1";
  std::string betrag = "00003";
  std::string text = "  ";
};

struct Line {
  std::string ke = "KE01";
  std::string num = "05";
  std::string opt = "   ";
  std::string flag = "N";
  std::string anz = "1";
  std::vector<Pos> pos = {Pos{}};
  std::string zus_ke = "ZKE1";
  std::string zus_info = "INF";

  std::string str() const {
    std::string line = fit(ke, 4) + fit(num, 2) + fit(opt, 3) + fit(flag, 1) + fit(anz, 1);
    for (const Pos& p : pos) line += fit(p.ke, 4) + fit(p.betrag, 5) + fit(p.text, 2);
    if (flag == "J") line += fit(zus_ke, 4) + fit(zus_info, 3);
    return line;
  }
};

// A line of `n` default positions, as many as ANZ announces.
inline Line withPositions(int n) {
  Line line;
  line.anz = std::to_string(n);
  line.pos.assign(n, Pos{});
  return line;
}

}  // namespace tst

#endif  // VEXAL_TESTS_SUPPORT_TST_LINES_H_
