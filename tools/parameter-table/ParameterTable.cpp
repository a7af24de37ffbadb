// Prints the delay's parameters as a freshly constructed model presents them to a host.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "delay/QuorvelDelayModel.h"

namespace {

struct Column {
  const char* heading;
  std::vector<std::string> cells;
  size_t width = 0;
};

std::string FormatDefault(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  return text;
}

void PrintRow(const std::vector<Column>& columns, size_t row) {
  std::string line;
  for (size_t c = 0; c < columns.size(); ++c) {
    const std::string& cell = row == 0 ? std::string(columns[c].heading) : columns[c].cells[row - 1];
    line += cell;
    if (c + 1 < columns.size()) {
      line += std::string(columns[c].width - cell.size() + 2, ' ');
    }
  }
  std::printf("%s\n", line.c_str());
}

}  // namespace

int main() {
  QuorvelDelayModel model;
  std::vector<Column> columns = {{"Index", {}}, {"Long name", {}}, {"Short", {}},
                                 {"Label", {}}, {"Default", {}},   {"Display", {}}};
  for (int32_t i = 0; i < model.GetParameterCount(); ++i) {
    columns[0].cells.push_back(std::to_string(i));
    columns[1].cells.emplace_back(model.GetParameterLongName(i));
    columns[2].cells.emplace_back(model.GetParameterShortName(i));
    columns[3].cells.emplace_back(model.GetParameterLabel(i));
    columns[4].cells.push_back(FormatDefault(model.GetParameterValue(i)));
    columns[5].cells.emplace_back(model.GetParameterDisplay(i));
  }
  size_t total = 0;
  for (Column& column : columns) {
    column.width = std::strlen(column.heading);
    for (const std::string& cell : column.cells) {
      column.width = cell.size() > column.width ? cell.size() : column.width;
    }
    total += column.width + 2;
  }

  std::printf("%s by %s: %d parameters, %d programs\n\n", model.GetEffectName(), model.GetVendorString(),
              static_cast<int>(model.GetParameterCount()), static_cast<int>(model.GetProgramCount()));
  PrintRow(columns, 0);
  std::printf("%s\n", std::string(total - 2, '-').c_str());
  for (size_t row = 1; row <= columns[0].cells.size(); ++row) {
    PrintRow(columns, row);
  }
  return 0;
}
