// Any bytes as a bypass file's content. A file taken holds at most 255 entries
// of 1 .. 65535 and reads back the same once written; one refused for an
// entry says which.

#include "FuzzEnvironment.h"

#include "settings/BypassFile.h"

void fuzzOne(const QByteArray &input)
{
    const BypassFile::Content file = BypassFile::fromXml(input);
    if (file.status == BypassFile::Status::BadEntry)
        FUZZ_CHECK(file.badEntry >= 0 && file.badEntry < BypassFile::MaxEntries);
    if (file.status != BypassFile::Status::Ok)
        return;
    FUZZ_CHECK(file.begins.size() == file.ends.size());
    FUZZ_CHECK(!file.begins.isEmpty() && file.begins.size() <= BypassFile::MaxEntries);
    QList<BypassFile::Row> rows;
    for (qsizetype i = 0; i < file.begins.size(); ++i) {
        FUZZ_CHECK(file.begins[i] != 0 && file.ends[i] != 0);
        rows.append({ QString::number(file.begins[i]), QString::number(file.ends[i]) });
    }
    const BypassFile::Content again = BypassFile::fromXml(BypassFile::toXml(rows));
    FUZZ_CHECK(again.status == BypassFile::Status::Ok);
    FUZZ_CHECK(again.begins == file.begins && again.ends == file.ends);
}
