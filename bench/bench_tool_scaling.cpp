// poview info, render (640x480) and export against the number of views, each
// run as a user runs the tool: one process per command, the file generated
// beforehand. Flat: N scene views side by side in a grid, with background and
// border. Nested: N scene views, each in the "scene" of the one before.
// Growth exponent between two sizes: ln(t2 / t1) / ln(N2 / N1); the run with
// one view is the baseline (the tool's start, Coin's and Qt's included).
//
// CoinToVRML2 is Coin's own conversion on N separators, flat under one group
// or nested, with nothing of this library in it: what the export inherits.
//
// Tool/export<form>/separators exports one scene view whose scene is a cube
// inside N nested separators to each form: time (and the file) grow with N.

#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/nodes/SoCube.h>
#include <Inventor/nodes/SoSeparator.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

enum class Layout { Flat, Nested, Separators };

const char *const kView = "cameraKit CameraKit { camera PerspectiveCamera { position 0 0 5 } } ";

std::string flatScene(int count) {
  std::ostringstream out;
  out << "#Inventor V2.1 ascii\nSeparator {\n";
  const int side = int(std::ceil(std::sqrt(double(count))));
  const float cell = 1.0f / float(side);
  for (int i = 0; i < count; ++i)
    out << "PoSceneView { viewportOrigin " << float(i % side) * cell << ' '
        << float(i / side) * cell << " viewportSize " << cell << ' ' << cell
        << " isBackgroundVisible TRUE isBorderVisible TRUE " << kView
        << "scene Separator { Cube { } } }\n";
  out << "}\n";
  return out.str();
}

std::string separatorsScene(int count) {
  std::string text = "#Inventor V2.1 ascii\nPoSceneView { ";
  text += kView;
  text += "scene Separator { ";
  for (int i = 0; i < count; ++i) text += "Separator { ";
  text += "Cube { }";
  for (int i = 0; i < count; ++i) text += " }";
  return text + " } }\n";
}

std::string nestedScene(int count) {
  std::ostringstream out;
  out << "#Inventor V2.1 ascii\n";
  for (int i = 0; i < count; ++i) out << "PoSceneView { " << kView << "scene Separator { Cube { }\n";
  for (int i = 0; i < count; ++i) out << "} }\n";
  return out.str();
}

#ifdef POVIEW_EXECUTABLE

// A directory for the generated files and the tool's output, removed at exit.
class WorkDirectory {
public:
  WorkDirectory() {
    char pattern[] = "/tmp/poview-bench-XXXXXX";
    m_path = mkdtemp(pattern) ? pattern : "/tmp";
  }
  ~WorkDirectory() { std::system(("rm -rf '" + m_path + "'").c_str()); }
  std::string file(const std::string &name) const { return m_path + "/" + name; }

private:
  std::string m_path;
};

WorkDirectory &workDirectory() {
  static WorkDirectory directory;
  return directory;
}

std::string sceneFile(Layout layout, int count) {
  const char *const names[] = {"flat", "nested", "separators"};
  const std::string path =
      workDirectory().file(names[int(layout)] + std::to_string(count) + ".iv");
  if (access(path.c_str(), R_OK) != 0)
    std::ofstream(path) << (layout == Layout::Flat     ? flatScene(count)
                            : layout == Layout::Nested ? nestedScene(count)
                                                       : separatorsScene(count));
  return path;
}

void BM_Tool(benchmark::State &state, const char *command, Layout layout, const char *form) {
  const std::string scene = sceneFile(layout, int(state.range(0)));
  std::string line = std::string(POVIEW_EXECUTABLE) + " " + command + " '" + scene + "'";
  const std::string output = workDirectory().file(std::string("out.") + command);
  if (std::string(command) == "render") line += " -o '" + output + ".png' --size 640x480";
  if (std::string(command) == "export") line += " -o '" + output + form + "'";
  line += " > /dev/null";
  for (auto _ : state)
    if (std::system(line.c_str()) != 0) state.SkipWithError("poview failed");
}

#endif

void BM_CoinToVRML2(benchmark::State &state, Layout layout) {
  SoSeparator *root = new SoSeparator;
  root->ref();
  SoGroup *parent = root;
  for (int i = 0; i < int(state.range(0)); ++i) {
    SoSeparator *separator = new SoSeparator;
    separator->addChild(new SoCube);
    parent->addChild(separator);
    if (layout == Layout::Nested) parent = separator;
  }
  for (auto _ : state) {
    SoToVRML2Action convert;
    convert.apply(root);
  }
  root->unref();
}

[[maybe_unused]] const bool registered = [] {
  const struct {
    Layout layout;
    const char *name;
    int sizes[4];
  } series[] = {{Layout::Flat, "flat", {1, 100, 1000, 10000}},
                {Layout::Nested, "nested", {1, 100, 500, 2000}},
                {Layout::Separators, "separators", {100, 1000, 4000, 16000}}};
  for (const auto &each : series)
    for (int count : each.sizes) {
      if (each.layout == Layout::Separators) {
#ifdef POVIEW_EXECUTABLE
        for (const char *form : {".wrl", ".x3dv", ".x3d", ".html"})
          benchmark::RegisterBenchmark((std::string("Tool/export") + form + "/separators").c_str(),
                                       BM_Tool, "export", each.layout, form)
              ->Arg(count)
              ->Iterations(1)
              ->Unit(benchmark::kMillisecond)
              ->UseRealTime();
#endif
        continue;
      }
#ifdef POVIEW_EXECUTABLE
      for (const char *command : {"info", "render", "export"})
        benchmark::RegisterBenchmark(
            (std::string("Tool/") + command + "/" + each.name).c_str(), BM_Tool, command,
            each.layout, ".wrl")
            ->Arg(count)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
#endif
      if (count > 1)
        benchmark::RegisterBenchmark((std::string("CoinToVRML2/") + each.name).c_str(),
                                     BM_CoinToVRML2, each.layout)
            ->Arg(count)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
  return true;
}();

} // namespace
