// The accuracy tools' inputs: the files named on the command line, else
// every CSV of their reference folder, in name order; their rows; medians.
#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace zeno {

inline QStringList referenceFiles(const QStringList& arguments, const QString& folder)
{
    if (!arguments.isEmpty())
        return arguments;
    QStringList files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

// The data lines of a reference file split at the commas: comments ("#"),
// blank lines and the header ("date,...") left out. A file that cannot be
// read is reported on the error output under the tool's name.
inline std::vector<QStringList> referenceRows(const QString& path, const char* tool)
{
    std::vector<QStringList> rows;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s : %s illisible\n", tool, qPrintable(path));
        return rows;
    }
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#') && !line.startsWith(QStringLiteral("date,")))
            rows.push_back(line.split(u','));
    }
    return rows;
}

// The median of a list (NaN when empty).
inline double median(std::vector<double> v)
{
    if (v.empty())
        return std::nan("");
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace zeno
