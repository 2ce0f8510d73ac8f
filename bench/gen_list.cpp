// Writes a generated list file for benchmarks and trials:
//   gen_list <out.pnv> [products] [listrows]   a large list (60000 products, 20000 rows)
//   gen_list --example <out.pnv>               the example list shipped in examples/
//   gen_list --reload <in.pnv> <out.pnv>       loads a list twice and saves it, printing the times
//                                              and the peak memory (a driver for measurements)
#include "bench_support.h"

#include "model/list_file.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage() {
    std::fprintf(stderr, "usage: gen_list <out.pnv> [products] [listrows]\n"
                         "       gen_list --example <out.pnv>\n"
                         "       gen_list --reload <in.pnv> <out.pnv>\n");
    return 2;
}

int reload(const QString& in, const QString& out) {
    ShoppingData data;
    QString error;
    QElapsedTimer t;
    for (int round = 1; round <= 2; ++round) {
        t.start();
        if (!listfile::load(in, data, &error)) {
            std::fprintf(stderr, "gen_list: %s: %s\n", qPrintable(in), qPrintable(error));
            return 1;
        }
        std::printf("load %d: %lld ms, %d products, %d list rows, peak %.1f MB\n", round,
                    static_cast<long long>(t.elapsed()), data.catalogue.recordCount(),
                    data.list.recordCount(), bench::peakMemoryMB());
    }
    t.start();
    if (!listfile::save(out, data, &error)) {
        std::fprintf(stderr, "gen_list: %s: %s\n", qPrintable(out), qPrintable(error));
        return 1;
    }
    std::printf("save: %lld ms, peak %.1f MB\n", static_cast<long long>(t.elapsed()),
                bench::peakMemoryMB());
    return 0;
}

bool readCount(const char* s, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (!end || *end != '\0' || v < 0 || v > 10000000)
        return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    ShoppingData data;
    QString path;
    if (std::strcmp(argv[1], "--reload") == 0) {
        if (argc != 4)
            return usage();
        return reload(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (std::strcmp(argv[1], "--example") == 0) {
        if (argc != 3)
            return usage();
        path = QString::fromLocal8Bit(argv[2]);
        bench::makeExample(data);
    } else {
        if (argc > 4)
            return usage();
        int products = bench::kLargeProducts;
        int rows = bench::kLargeListRows;
        if ((argc > 2 && !readCount(argv[2], products)) || (argc > 3 && !readCount(argv[3], rows)))
            return usage();
        path = QString::fromLocal8Bit(argv[1]);
        bench::generateList(data, products, rows);
    }
    QString error;
    if (!listfile::save(path, data, &error)) {
        std::fprintf(stderr, "gen_list: %s: %s\n", qPrintable(path), qPrintable(error));
        return 1;
    }
    return 0;
}
