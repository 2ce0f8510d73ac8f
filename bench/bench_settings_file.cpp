// Reading kabiro.ini as the program does at start-up (the settings, then the layout), on a
// real-sized file and on one swollen to just under the reader's bound; and how fast a file over
// the bound, a pipe or a device is set aside.
#include "model/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/stat.h>

namespace {

const QByteArray kReal = "[Programme]\r\nExe=KABIRO.EXE\r\nNom=Paniva\r\n"
                         "[SAISIE]\r\nNv_secteur=1\r\nNv_produit=1\r\nCoef_delai=3\r\n"
                         "Nbj_renouve=12\r\n[PRESENTATION]\r\nOutils=1\r\nProduit=1\r\n"
                         "Euro=0\r\nConvert=1\r\nVal-euro=6,55957\r\n[TITRE]\r\nAppli=Paniva\r\n"
                         "[COULEUR]\r\nprod-prevu=16776960\r\n[ECRAN]\r\nspliter1=260\r\n"
                         "spliter2=76\r\nvoir_secteur=0\r\nEtat=0\r\nTop=122\r\nLeft=208\r\n"
                         "Height=345\r\nWidth=559\r\n";

// The real file followed by thousands of sections of keys no one reads.
QByteArray swollen(qint64 size) {
    QByteArray b = kReal;
    for (int n = 0;; ++n) {
        QByteArray block = "[Bloc" + QByteArray::number(n) + "]\r\n";
        for (int k = 0; k < 20; ++k)
            block += "cle" + QByteArray::number(k) + "=valeur sans usage\r\n";
        if (b.size() + block.size() > size)
            return b;
        b += block;
    }
}

struct Scratch {
    QTemporaryDir dir;
    QString put(const char* name, const QByteArray& bytes) {
        const QString p = dir.filePath(QString::fromLatin1(name));
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return p;
    }
};

void startReading(benchmark::State& state, const QString& path) {
    const IniFile ini(path);
    for (auto _ : state) {
        const IniFile::Reading r = ini.read();
        if (r.refused() !=
            (QFileInfo(path).size() > IniFile::kMaxFileSize || !QFileInfo(path).isFile()))
            state.SkipWithError("wrong refusal");
        benchmark::DoNotOptimize(AppSettings::readAtStart(r, AppSettings()));
        benchmark::DoNotOptimize(WindowLayout::read(ini, WindowLayout()));
    }
}

void BM_StartReadingRealFile(benchmark::State& state) {
    Scratch s;
    startReading(state, s.put("kabiro.ini", kReal));
}
BENCHMARK(BM_StartReadingRealFile)->Unit(benchmark::kMicrosecond);

void BM_StartReadingFileAtTheBound(benchmark::State& state) {
    Scratch s;
    startReading(state, s.put("kabiro.ini", swollen(IniFile::kMaxFileSize)));
}
BENCHMARK(BM_StartReadingFileAtTheBound)->Unit(benchmark::kMillisecond);

void BM_StartReadingFileOverTheBound(benchmark::State& state) {
    Scratch s;
    startReading(state, s.put("kabiro.ini", swollen(50 * 1024 * 1024)));
}
BENCHMARK(BM_StartReadingFileOverTheBound)->Unit(benchmark::kMicrosecond);

void BM_StartReadingPipe(benchmark::State& state) {
    Scratch s;
    const QString p = s.dir.filePath(QStringLiteral("kabiro.ini"));
    if (::mkfifo(QFile::encodeName(p).constData(), 0600) != 0)
        state.SkipWithError("mkfifo");
    startReading(state, p);
}
BENCHMARK(BM_StartReadingPipe)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
