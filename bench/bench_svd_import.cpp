// Importing a large device description (about 30 MB, generated: peripherals with arrays,
// clusters, derived copies, fields and enumerated values) against parsing the same bytes with
// the XML library alone. The import parses, resolves every peripheral and writes its register
// file text (not to disk); "of_xml_parse" is its speed as a share of the parser's.
#include "regview/SvdImport.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <ctime>
#include <string>

namespace {

void addField(std::string& svd, int n, int lsb, int width)
{
    svd += "<field><name>F" + std::to_string(n) + "</name><description>Field number " + std::to_string(n) +
           " of this register, which sets what the block does</description><bitOffset>" + std::to_string(lsb) +
           "</bitOffset><bitWidth>" + std::to_string(width) + "</bitWidth><enumeratedValues>";
    for (int v = 0; v < 3; ++v)
        svd += "<enumeratedValue><name>MODE" + std::to_string(v) + "</name><description>Selects mode " +
               std::to_string(v) + " of the field</description><value>" + std::to_string(v) + "</value></enumeratedValue>";
    svd += "</enumeratedValues></field>";
}

void addRegister(std::string& svd, int n)
{
    svd += "<register><name>REG" + std::to_string(n) + "</name><description>Register " + std::to_string(n) +
           " controls a part of the block</description><addressOffset>0x" + std::to_string(n * 4) +
           "</addressOffset><size>32</size><resetValue>0</resetValue><fields>";
    for (int f = 0; f < 6; ++f)
        addField(svd, f, f * 5, 4);
    svd += "</fields></register>";
}

const std::string& description()
{
    static const std::string svd = [] {
        std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<device schemaVersion=\"1.3\"><name>BIG</name>"
                           "<size>32</size><access>read-write</access><peripherals>\n";
        for (int p = 0; text.size() < 30u << 20; ++p) {
            if (p % 4 == 3) {  // a derived copy, as vendors describe their second UART
                text += "<peripheral derivedFrom=\"P" + std::to_string(p - 1) + "\"><name>P" + std::to_string(p) +
                        "</name><baseAddress>0x" + std::to_string(40000000 + p * 1000) + "</baseAddress></peripheral>\n";
                continue;
            }
            text += "<peripheral><name>P" + std::to_string(p) + "</name><description>Peripheral block " +
                    std::to_string(p) + "</description><baseAddress>0x" + std::to_string(40000000 + p * 1000) +
                    "</baseAddress><registers>";
            for (int r = 0; r < 30; ++r)
                addRegister(text, r);
            text += "<cluster><name>CH%s</name><dim>4</dim><dimIncrement>0x10</dimIncrement><addressOffset>0x200"
                    "</addressOffset>";
            addRegister(text, 0);
            text += "</cluster></registers></peripheral>\n";
        }
        return text + "</peripherals></device>\n";
    }();
    return svd;
}

// Processor seconds per pass, so that other work on the machine does not skew the ratio.
double parseSeconds = 0;

template <typename Pass>
double cpuSeconds(Pass pass)
{
    const std::clock_t start = std::clock();
    pass();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

void BM_XmlParseOnly(benchmark::State& state)
{
    const auto& svd = description();
    double total = 0;
    for (auto _ : state) {
        pugi::xml_document document;
        total += cpuSeconds([&] { benchmark::DoNotOptimize(document.load_buffer(svd.data(), svd.size())); });
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * svd.size()));
    parseSeconds = total / static_cast<double>(state.iterations());
}

void BM_SvdImport(benchmark::State& state)
{
    const auto& svd = description();
    std::size_t registers = 0;
    double total = 0;
    for (auto _ : state) {
        total += cpuSeconds([&] {
            quarry::SvdImport import;
            registers = 0;
            if (import.Open(svd))
                for (std::size_t i = 0; i < import.Peripherals().size(); ++i)
                    registers += static_cast<std::size_t>(import.Convert(i).registers);
        });
    }
    if (registers == 0)
        state.SkipWithError("the description did not import");
    if (parseSeconds > 0)
        state.counters["of_xml_parse"] = parseSeconds / (total / static_cast<double>(state.iterations()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * svd.size()));
    state.counters["registers"] = static_cast<double>(registers);
    state.counters["megabytes"] = static_cast<double>(svd.size()) / (1 << 20);
}

}  // namespace

BENCHMARK(BM_XmlParseOnly)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_SvdImport)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_MAIN();
