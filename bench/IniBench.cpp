// Walks record sections of growing length and reads every key of a settings
// section, through the same calls the installation makes. Prints one line
// 'name value unit' per figure; never fails. Each figure includes the first
// use of the section, when its lines are found and indexed.
#include "setup/config/SetupContext.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kSettingsKeys = 1000;

std::string keyName(int index) {
    return "Key" + std::to_string(index);
}

// A Setup.ini text: a settings section of kSettingsKeys keys, then a record
// section of `records` lines, then one more section.
std::string setupText(int records) {
    std::string text = "[GENERAL_INFO]\r\n";
    for (int i = 0; i < kSettingsKeys; ++i)
        text += keyName(i) + "=Value<tab>" + std::to_string(i) + "\r\n";
    text += "\r\n[FILES]\r\n";
    for (int i = 0; i < records; ++i)
        text += "%AppDir%\\bin,file" + std::to_string(i) + ".dll,1,0,0\r\n";
    text += "\r\n[REGISTRY]\r\nHKLM,Software\\Vantra,Version,2.0\r\n";
    return text;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Keeps the compiler from dropping the reads.
volatile std::size_t sink;

// The median of several runs, each on a fresh document, so that one
// disturbed run does not decide the figure.
const int kRuns = 5;

template <typename Run> double medianMilliseconds(Run run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(run());
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

void walkSection(int records) {
    const std::string text = setupText(records);
    const double elapsed = medianMilliseconds([&] {
        SetupContext context;
        context.setConfigDocument(std::make_unique<IniDocument>(text));
        const auto start = std::chrono::steady_clock::now();
        std::size_t bytes = 0;
        const int count = context.configLineCount("FILES");
        std::string line;
        for (int i = 0; i < count; ++i) {
            context.configLine("FILES", i, line);
            bytes += line.size();
        }
        const double time = millisecondsSince(start);
        sink = bytes;
        return time;
    });
    std::printf("ini.walk_section.%d %.3f ms\n", records, elapsed);
}

void getEveryString() {
    const std::string text = setupText(1000);
    const double elapsed = medianMilliseconds([&] {
        const IniDocument document(text);
        const auto start = std::chrono::steady_clock::now();
        std::size_t bytes = 0;
        for (int i = 0; i < kSettingsKeys; ++i)
            bytes += document.getString("GENERAL_INFO", keyName(i), std::string()).size();
        const double time = millisecondsSince(start);
        sink = bytes;
        return time;
    });
    std::printf("ini.get_string.%dkeys %.3f ms\n", kSettingsKeys, elapsed);
}

} // namespace

int main() {
    for (int records : {1000, 10000, 100000})
        walkSection(records);
    getEveryString();
    return 0;
}
