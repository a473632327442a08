// Loading and saving a drawing of 100,000 entities (lines, polylines, arcs,
// circles, texts and block references with extended data), in MB/s of DXF
// text. The drawing is written once to the temporary folder; compare with
// scripts/ezdxf-speed.py on the same file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "platform/cadhost/BlockBuilder.h"
#include "platform/cadhost/DxfReader.h"
#include "platform/cadhost/DxfWriter.h"
#include "platform/cadhost/NewDrawing.h"

namespace {

using namespace cadhost;

constexpr int kEntities = 100000;

Group text(int code, const char16_t* value) { return Group::text(code, std::u16string(value)); }

GroupList entity(int i) {
  const double x = (i % 1000) * 10.0;
  const double y = (i / 1000) * 10.0;
  const char16_t* layer = i % 3 == 0 ? u"ZONY" : i % 3 == 1 ? u"ROZVODY" : u"0";
  GroupList list{text(0, u"LINE"), text(100, u"AcDbEntity"), text(8, layer)};
  switch (i % 10) {
    case 0:
    case 1:
    case 2:
    case 3:
      list.push_back(text(100, u"AcDbLine"));
      list.push_back(Group::point(10, {x, y, 0}));
      list.push_back(Group::point(11, {x + 7.5, y + 2.25, 0}));
      break;
    case 4:
    case 5:
      list[0] = text(0, u"LWPOLYLINE");
      list.push_back(text(100, u"AcDbPolyline"));
      list.push_back(Group::integer(90, 5));
      list.push_back(Group::integer(70, 1));
      for (int k = 0; k < 5; ++k) {
        list.push_back(Group::point(10, {x + k * 1.5, y + (k % 2) * 2.0, 0}, 2));
        if (k == 2) list.push_back(Group::real(42, 0.41421356237309503));
      }
      break;
    case 6:
    case 7:
      list[0] = text(0, i % 10 == 6 ? u"ARC" : u"CIRCLE");
      list.push_back(text(100, u"AcDbCircle"));
      list.push_back(Group::point(10, {x, y, 0}));
      list.push_back(Group::real(40, 3.5));
      if (i % 10 == 6) {
        list.push_back(text(100, u"AcDbArc"));
        list.push_back(Group::real(50, (i % 360) * M_PI / 180));
        list.push_back(Group::real(51, ((i + 90) % 360) * M_PI / 180));
      }
      break;
    case 8:
      list[0] = text(0, u"TEXT");
      list.push_back(text(100, u"AcDbText"));
      list.push_back(Group::point(10, {x, y, 0}));
      list.push_back(Group::real(40, 2.5));
      list.push_back(Group::text(1, u"Zóna " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                        u" – podlahové vytápění"));
      list.push_back(text(100, u"AcDbText"));
      break;
    default:
      list[0] = text(0, u"INSERT");
      list.push_back(text(100, u"AcDbBlockReference"));
      list.push_back(text(2, u"RZ"));
      list.push_back(Group::point(10, {x, y, 0}));
      list.push_back(text(1001, u"QEV_DATA"));
      list.push_back(text(1000, u"TOT0000-0023"));
      list.push_back(Group::integer(1070, i % 100));
      break;
  }
  return list;
}

const std::string& drawingPath() {
  static const std::string path = [] {
    auto drawing = newDrawing();
    BlockBuilder& blocks = drawing->blockBuilder();
    blocks.begin(u"RZ", false, {});
    blocks.add({text(0, u"CIRCLE"), text(100, u"AcDbEntity"), text(8, u"0"), text(100, u"AcDbCircle"),
                Group::point(10, {0, 0, 0}), Group::real(40, 1)});
    blocks.end();
    for (int i = 0; i < kEntities; ++i) drawing->makeEntity(entity(i));
    std::string file = (std::filesystem::temp_directory_path() / "hv_dxf_bench_100k.dxf").string();
    DxfWriter::writeFile(*drawing, file);
    return file;
  }();
  return path;
}

void BM_DxfLoad(benchmark::State& state) {
  const std::string& path = drawingPath();
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
  for (auto _ : state) {
    auto drawing = DxfReader::readFile(path);
    benchmark::DoNotOptimize(drawing->recordCount());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetLabel(path);
}
BENCHMARK(BM_DxfLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DxfSave(benchmark::State& state) {
  auto drawing = DxfReader::readFile(drawingPath());
  const std::string out = drawingPath() + ".saved.dxf";
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(drawingPath()));
  for (auto _ : state) DxfWriter::writeFile(*drawing, out);
  state.SetBytesProcessed(state.iterations() * bytes);
  std::filesystem::remove(out);
}
BENCHMARK(BM_DxfSave)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
