#include "sample_registration2.h"

#include <QStringList>
#include <random>

namespace bv::sample {

namespace {
const QStringList parties = {QStringLiteral("اداره ثبت اسناد"), QStringLiteral("پيمانکار")};
const QStringList posts = {QStringLiteral("رئيس اداره ثبت اسناد و املاک"), QStringLiteral("کارشناس نقشه بردار"),
                           QStringLiteral("دهيار"), QStringLiteral("معاون عمران روستايي")};
const QStringList subjects = {
    QStringLiteral("ارسال پلات هاي کنترلي"),       QStringLiteral("درخواست کد کاربري سامانه ثبتي"),
    QStringLiteral("اعلام شروع عمليات نقشه برداري"), QStringLiteral("تحويل نقشه هاي ثبتي و فرم هاي 8"),
    QStringLiteral("اعتراض مالکين به حدود قطعات"),  QStringLiteral("ارسال صورت وضعيت موقت"),
    QStringLiteral("تاييد/رد نقشه ثبتي روستا"),
};
const QStringList jobFiles = {QStringLiteral("قرارداد"), QStringLiteral("صورتجلسه تحويل")};
const QStringList documents = {
    QStringLiteral("دستورالعمل اجرايي صدور اسناد روستايي"), QStringLiteral("شيوه نامه کارتوگرافي نقشه هاي ثبتي"),
    QStringLiteral("فهرست بهاي نقشه برداري ثبتي"), QStringLiteral("نمونه موافقتنامه کارشناسان ثبتي"),
};
const QByteArray pdf("%PDF-1.4\n%%EOF\n");
}  // namespace

void makeRegistrationPapers(const Db &db, quint32 seed)
{
    std::mt19937 engine(seed + 26);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); };
    auto pick = [&](const QStringList &list) { return list[between(0, int(list.size()) - 1)]; };

    const ResultSet jobs = db.select(QStringLiteral("SELECT id, tamin_sal FROM sabti ORDER BY id"));
    if (jobs.empty())
        return;
    Statement letter = db.statement(QStringLiteral(
        "INSERT INTO sabti_mokatebat (sabti_id, paper_no, paper_dat, taraf, mozo, typ, post) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    Statement jobFile =
        db.statement(QStringLiteral("INSERT INTO sabti_pic (sabti_id, cmt, pictyp, pic) VALUES (?, ?, '.pdf', ?)"));
    for (const QVariantList &job : jobs.rows) {
        if (between(1, 100) <= 20)
            for (const QString &kind : jobFiles)
                jobFile.run({job[0], kind, pdf});
        if (between(1, 100) > 60)
            continue;
        const int year = job[1].toInt() > 0 ? job[1].toInt() : 1400;
        for (int n = between(1, 4); n > 0; --n)
            letter.run({job[0], QStringLiteral("%1/%2").arg(between(100, 999)).arg(between(1000, 9999)),
                        QStringLiteral("%1/%2/%3")
                            .arg(year + between(0, 1))
                            .arg(between(1, 12), 2, 10, QLatin1Char('0'))
                            .arg(between(1, 29), 2, 10, QLatin1Char('0')),
                        pick(parties), pick(subjects), between(0, 1) ? QStringLiteral("وارده") : QStringLiteral("صادره"),
                        pick(posts)});
    }
    // A scanned copy of about a third of the letters.
    Statement scan = db.statement(
        QStringLiteral("INSERT INTO sabti_mokatebat_pic (mokatebat_id, cmt, pictyp, pic) VALUES (?, ?, ?, ?)"));
    const ResultSet letters = db.select(QStringLiteral("SELECT id FROM sabti_mokatebat ORDER BY id"));
    for (const QVariantList &l : letters.rows)
        if (between(1, 100) <= 30)
            for (int n = between(1, 2); n > 0; --n)
                scan.run({l[0], QStringLiteral("تصوير نامه %1").arg(n), QStringLiteral(".pdf"), pdf});
    Statement document =
        db.statement(QStringLiteral("INSERT INTO sabti_mostanadat (cmt, pictyp, pic) VALUES (?, '.pdf', ?)"));
    for (const QString &title : documents)
        document.run({title, pdf});
}

}  // namespace bv::sample
