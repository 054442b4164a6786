// Runs the music visualiser on the default monitor source (or on a sound file) for a given
// time and writes the published frame image as PNG and the published levels as text, so
// the analysis can be checked by eye and by scripts.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "music/visualizer.h"
#include "tools/viz/png_writer.h"
#include "tools/viz/wav_capture.h"

namespace keyloom::viz {
namespace {

struct Options {
    std::string wav;
    double seconds = -1.0;  // default: 3 s live, the whole file otherwise
    std::string png = "viz.png";
    std::string levels = "viz_levels.txt";
    std::string trace;
    int foreground = 13;
    int background = 0;
    int brightness = 10;
    int gain = 100;
};

void PrintUsage() {
    std::puts(
        "usage: keyloom_viz [--wav FILE] [--seconds S] [--png FILE] [--levels FILE]\n"
        "                   [--trace FILE] [--foreground MODE] [--background MODE]\n"
        "                   [--brightness 0..100] [--gain N]\n"
        "Without --wav the default playback device's monitor is captured live (the sound\n"
        "server named by PULSE_SERVER, or the session's). --levels writes one \"index value\"\n"
        "line per level; --trace writes one line of 256 levels per 15 ms cycle.");
}

bool ParseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            return false;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s needs a value\n", name.c_str());
            return false;
        }
        const char* value = argv[++i];
        double number = 0.0;
        const bool numeric = ParseNumber(value, number);
        if (name == "--wav") {
            options.wav = value;
        } else if (name == "--png") {
            options.png = value;
        } else if (name == "--levels") {
            options.levels = value;
        } else if (name == "--trace") {
            options.trace = value;
        } else if (!numeric) {
            std::fprintf(stderr, "%s: '%s' is not a number\n", name.c_str(), value);
            return false;
        } else if (name == "--seconds" && number > 0.0) {
            options.seconds = number;
        } else if (name == "--foreground") {
            options.foreground = static_cast<int>(number);
        } else if (name == "--background") {
            options.background = static_cast<int>(number);
        } else if (name == "--brightness") {
            options.brightness = static_cast<int>(number);
        } else if (name == "--gain") {
            options.gain = static_cast<int>(number);
        } else {
            std::fprintf(stderr, "unknown option or value: %s %s\n", name.c_str(), value);
            return false;
        }
    }
    return true;
}

void WriteLevelsLine(std::FILE* out, const LevelArray& levels) {
    for (std::size_t i = 0; i < levels.size(); ++i) {
        std::fprintf(out, i == 0 ? "%.6f" : " %.6f", static_cast<double>(levels[i]));
    }
    std::fputc('\n', out);
}

int Run(const Options& options) {
    WavCapture* file = nullptr;
    std::unique_ptr<AudioCapture> capture;
    if (!options.wav.empty()) {
        std::string error;
        std::unique_ptr<WavCapture> wav = WavCapture::Open(options.wav, error);
        if (!wav) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (wav->SampleRate() != 48000) {
            std::fprintf(stderr, "note: %d Hz file; the bins assume 48000 Hz\n", wav->SampleRate());
        }
        file = wav.get();
        capture = std::move(wav);
    } else {
        capture = CreateLoopbackCapture();
    }

    auto visualizer = std::make_unique<Visualizer>(std::move(capture));
    visualizer->Initialise();
    visualizer->SetForegroundMode(options.foreground);
    visualizer->SetBackgroundMode(options.background);
    visualizer->SetBackgroundBrightness(options.brightness);
    visualizer->SetGain(options.gain);
    if (!visualizer->IsCaptureOpen()) {
        std::fprintf(
            stderr, "no capture stream (no sound server or playback device): running on silence\n");
    }

    std::FILE* trace = nullptr;
    if (!options.trace.empty() && (trace = std::fopen(options.trace.c_str(), "w")) == nullptr) {
        std::fprintf(stderr, "%s: cannot write\n", options.trace.c_str());
        return 1;
    }

    const double seconds = options.seconds > 0.0 ? options.seconds : (file ? file->Seconds() : 3.0);
    const auto cycles = std::lround(seconds / 0.015);
    LevelArray levels{};
    long cycle = 0;
    for (; cycle < cycles; ++cycle) {
        if (file != nullptr) {
            if (file->Finished()) {
                break;
            }
            file->AdvanceCycle();
        }
        visualizer->RunCycle();
        if (trace != nullptr) {
            visualizer->CopyLevels(levels);
            WriteLevelsLine(trace, levels);
        }
        if (file == nullptr) {
            std::this_thread::sleep_for(kActiveCycleSleep);
        }
    }
    if (trace != nullptr && std::fclose(trace) != 0) {
        std::fprintf(stderr, "%s: write failed\n", options.trace.c_str());
        return 1;
    }

    visualizer->CopyLevels(levels);
    auto image = std::make_unique<FrameImage>();
    visualizer->CopyPublishedImage(*image);
    std::string error;
    if (!WriteImagePng(*image, options.png, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::ofstream out(options.levels);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        out << i << ' ' << levels[i] << '\n';
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s: write failed\n", options.levels.c_str());
        return 1;
    }

    const auto loudest = std::max_element(levels.begin(), levels.end()) - levels.begin();
    std::printf("cycles %ld, loudest level %td (%.3f, bin %td), image %s, levels %s\n", cycle,
                loudest, static_cast<double>(levels[static_cast<std::size_t>(loudest)]),
                loudest / 4, options.png.c_str(), options.levels.c_str());
    return 0;
}

}  // namespace
}  // namespace keyloom::viz

int main(int argc, char** argv) {
    keyloom::viz::Options options;
    if (!keyloom::viz::ParseOptions(argc, argv, options)) {
        keyloom::viz::PrintUsage();
        return 2;
    }
    return keyloom::viz::Run(options);
}
