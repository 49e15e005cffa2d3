// Runs the fuzz target once per file named on the command line (or per
// file in a named folder), so the seed corpus is checked in every build.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv)
{
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList paths{QString::fromLocal8Bit(argv[i])};
        if (QFileInfo(paths[0]).isDir()) {
            QDir dir(paths[0]);
            paths.clear();
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                paths << dir.filePath(name);
        }
        for (const QString &path : paths) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
            ++files;
        }
    }
    std::printf("%d inputs replayed\n", files);
    return files > 0 ? 0 : 1;
}
