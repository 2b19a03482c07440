#pragma once
// The sample-data generator: fills a database built by the schema builder with
// villages, contractors, map scales, lookup lists, survey projects, studies,
// registration jobs and a contracts register, deterministically from a seed.
#include "db.h"

namespace bv::sample {

struct Size {
    int counties = 8;
    int villagesPerCounty = 50;
    int contractors = 40;
    int projects = 2000;
    int studies = 500;
    int registrationContractors = 30;
    int registrations = 300;
    int contracts = 400;   // rows of the contracts register
    quint32 seed = 1;
    // The office around the projects (staff accounts with their counties and
    // rights, messages, the phone book, projects with their full attachments):
    // the database of `./dev run`.
    bool office = false;
};

// The administrator password of sample databases.
inline const QString adminPassword = QStringLiteral("borvinat");

// Creates the contracts-register table `prot` when missing.
void createContractsRegister(const Db &contracts);

// Fills `main` (whose schema exists) and, when given, the contracts register.
// Each table is filled in one transaction.
void fill(const Db &main, const Db *contracts, const Size &size);

}  // namespace bv::sample
