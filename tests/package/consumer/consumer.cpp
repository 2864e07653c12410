// Checks the DSKO_04 lines of a file with libvexal linked directly and
// prints "DSKO_04: R records, F findings" for the processing date
// 2026-12-08: a host that uses the installed headers and libraries only.

#include <fstream>
#include <iostream>
#include <string>

#include "frame/exports.h"
#include "model/record_definition.h"
#include "pl/check_record.h"
#include "pl/plausi.h"
#include "pl/runtime_context.h"
#include "record_input.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: consumer FILE\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "consumer: cannot open " << argv[1] << "\n";
    return 2;
  }
  RecordDefinition* layout = loadRecordDefinitionDSKO_04();
  pl::Plausi* rules = loadPlausiDSKO_04();
  long records = 0;
  long findings = 0;
  {
    vexal::host::RecordInput input(*layout);
    pl::RuntimeContext ctx;
    ctx.setProcessingDate(2026, 12, 8);
    ctx.setInitParam("ipMjahrSchalttag", "1201");
    ctx.setDataRecord(&input.record());
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("DSKO", 0) != 0) continue;
      ctx.reset();
      input.load(line);
      pl::checkRecord(rules, &ctx);
      ++records;
      findings += static_cast<long>(ctx.getProblemCount());
    }
    ctx.setDataRecord(nullptr);
    ctx.reset();
  }
  unloadPlausiDSKO_04(rules);
  unloadRecordDefinitionDSKO_04(layout);
  std::cout << "DSKO_04: " << records << " records, " << findings << " findings\n";
  return 0;
}
