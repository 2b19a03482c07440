#include "schema_tables.h"

#include <cstddef>

// Table definitions in the order the schema builder creates them. Columns stand
// in creation order; columns that older databases received later are appended
// after the original ones, so a fresh table has the same layout as an upgraded one.
// Some widths are larger than those of the reference server because the program
// writes longer values into them; those columns carry a note.

namespace bv::schema {

namespace {

std::vector<Table> buildTables()
{
    return {
        // User accounts.
        {"users",
         {{"id", ColType::IntIdentity},
          {"us", ColType::NVarChar, 150},  // also contractor accounts named "family given" or company
          {"ps", ColType::NVarChar, 200},  // password hash
          {"ver", ColType::NVarChar, 5},
          {"lev", ColType::NVarChar, 15},
          {"ostan", ColType::NVarChar, 50},
          {"semat", ColType::NVarChar, 100},
          {"mobile", ColType::NVarChar, 20},
          {"nam", ColType::NVarChar, 100},
          {"status", ColType::NVarChar, 20}},
         {}},

        // Lookup lists: one row per item of a titled list.
        {"setting",
         {{"id", ColType::IntIdentity},
          {"component", ColType::NVarChar, 100},
          {"cmt", ColType::NVarChar, 150},
          {"def", ColType::NVarChar, 5}},
         {}},

        // Program attachments looked up by description.
        {"zamaem",
         {{"pk", ColType::IntIdentity},
          {"cmt", ColType::NVarChar, 200},
          {"ramz", ColType::NVarChar, 20},
          {"pictype", ColType::NVarChar, 10},  // file extension with its dot
          {"pic", ColType::Image}},
         {}},

        // Credits per plan code, year and county.
        {"etebarat",
         {{"id", ColType::IntIdentity},
          {"tamin_sal", ColType::NVarChar, 4},
          {"tamin_loc", ColType::NVarChar, 50},  // same credit-source list as naghshe.tamin_loc
          {"tarh_cod", ColType::NVarChar, 50},
          {"city", ColType::NVarChar, 30},
          {"mablagh", ColType::Money},
          {"mablagh_naghshe", ColType::Money},
          {"mablagh_fani", ColType::Money}},
         {}},

        // Programmes and projects of executive agencies tied to a study.
        {"barnameha",
         {{"id", ColType::IntIdentity},
          {"borvinat_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"org", ColType::NVarChar, 150}},
         {{"ix_barnameha_borvinat_id", {"borvinat_id"}}}},

        // Activity log.
        {"log",
         {{"id", ColType::IntIdentity},
          {"karbar", ColType::NVarChar, 150},
          {"ip", ColType::NVarChar, 20},
          {"computer_name", ColType::NVarChar, 255},  // reverse-lookup host name, may be fully qualified
          {"saat", ColType::NVarChar, 30},
          {"tarikh", ColType::NVarChar, 10},
          {"cmt", ColType::NVarChar, 500},  // phrase + contractor or account names + user name
          {"saat_sys", ColType::DateTimeNow}},
         {}},

        // Messages between users.
        {"payamha",
         {{"id", ColType::IntIdentity},
          {"send_prs_id", ColType::Int},
          {"rec_prs_id", ColType::Int},
          {"send_dat", ColType::NVarChar, 10},
          {"show_dat", ColType::NVarChar, 10},
          {"mozo", ColType::NVarChar, 100},
          {"cmt", ColType::Image}},
         {}},

        // Page access rights, one row per user and page key.
        {"dastrasi",
         {{"id", ColType::IntIdentity},
          {"prs_id", ColType::Int},
          {"page_name", ColType::NVarChar, 25},
          {"darj", ColType::Bit},
          {"virayesh", ColType::Bit},
          {"hazf", ColType::Bit},
          {"namayesh", ColType::Bit}},
         {{"ix_dastrasi_prs_id_page_name", {"prs_id", "page_name"}}}},

        // Counties a user may see; no key column.
        {"dastrasi2",
         {{"user_id", ColType::Int},
          {"cmt", ColType::NVarChar, 150}},
         {{"ix_dastrasi2_user_id", {"user_id"}}}},

        // Survey projects.
        {"naghshe",
         {{"id", ColType::BigIdentity},
          {"ostan", ColType::NVarChar, 50},
          {"city", ColType::NVarChar, 30},
          {"bakhsh", ColType::NVarChar, 40},
          {"dehestan", ColType::NVarChar, 40},
          {"rosta", ColType::NVarChar, 40},
          {"khanevar", ColType::Int},
          {"jamiyat", ColType::Int},
          {"zarib_mantaghe", ColType::Float},
          {"cod", ColType::NVarChar, 30},
          {"y", ColType::NVarChar, 35},
          {"x", ColType::NVarChar, 35},
          {"tarh_typ", ColType::NVarChar, 40},
          {"jalase_dat", ColType::NVarChar, 10},
          {"prot_no", ColType::NVarChar, 40},
          {"prot_dat1", ColType::NVarChar, 10},
          {"prot_mablagh", ColType::Money},
          {"peymankar", ColType::NVarChar, 150},  // contractor display name "given family" or company
          {"prot_tim", ColType::NVarChar, 30},
          {"prot_dat2", ColType::NVarChar, 10},
          {"tamin_loc", ColType::NVarChar, 50},
          {"tamin_sal", ColType::NVarChar, 40},
          {"paper_no", ColType::NVarChar, 30},
          {"paper_dat", ColType::NVarChar, 10},
          {"tahvil_dat1", ColType::NVarChar, 10},
          {"checklist_dat", ColType::NVarChar, 10},
          {"tahvil_dat2", ColType::NVarChar, 10},
          {"masahat_por", ColType::Float},
          {"por_price", ColType::Money},
          {"status_typ", ColType::NVarChar, 40},
          {"masahat_khali", ColType::Float},
          {"khali_price", ColType::Money},
          {"status_dat", ColType::NVarChar, 10},
          {"tajhiz_mablagh", ColType::Money},
          {"zarib_sobat", ColType::Float},
          {"zarib_kochaki", ColType::Float},
          {"pardakhti", ColType::Money},
          {"hosn_dat", ColType::NVarChar, 10},
          {"scale", ColType::NVarChar, 10},
          {"jarime", ColType::Money},
          {"peymankar_id", ColType::Int},
          {"masahat_por1", ColType::Float},
          {"masahat_khali1", ColType::Float},
          {"zarib_sobat1", ColType::Float},
          {"zarib_kochaki1", ColType::Float},
          {"cmt", ColType::NVarChar, 150},
          {"tamdid_dat", ColType::NVarChar, 10},
          {"darsad_inc", ColType::NVarChar, 50},  // percentage and letter date, e.g. 12.3*1402/05/01
          {"hosn_paper_dat", ColType::NVarChar, 10},
          {"gps_mablagh", ColType::Money},
          {"status", ColType::NVarChar, 50},
          {"prot_typ", ColType::NVarChar, 50}},
         // The survey browser's order; the overview's counts and sums per county read the others alone.
         {{"ix_naghshe_city_rosta_fa", {"city", "rosta", "id"}, {"city", "rosta"}},
          {"ix_naghshe_city_status", {"city", "status", "tamin_sal"}},
          {"ix_naghshe_city_tamin_sal_amounts", {"city", "tamin_sal", "prot_mablagh", "pardakhti"}},
          {"ix_naghshe_city_prot_dat2", {"city", "prot_dat2", "tahvil_dat1", "tamin_sal"}}}},

        // Village registry.
        {"abadiha",
         {{"id", ColType::BigIdentity},
          {"city", ColType::NVarChar, 30},
          {"bakhsh", ColType::NVarChar, 40},
          {"dehestan", ColType::NVarChar, 40},
          {"rosta", ColType::NVarChar, 40},
          {"khanevar", ColType::Int},
          {"zarib", ColType::Float},
          {"x", ColType::NVarChar, 35},
          {"y", ColType::NVarChar, 35},
          {"cod", ColType::NVarChar, 30},
          {"jamiyat", ColType::Int},
          {"ostan", ColType::NVarChar, 50},
          {"zaribMantaghe", ColType::Float},
          {"zaribDori", ColType::Float}},
         {}},

        // Village plan studies.
        {"borvinat",
         {{"id", ColType::BigIdentity},
          {"ostan", ColType::NVarChar, 50},
          {"city", ColType::NVarChar, 30},
          {"bakhsh", ColType::NVarChar, 40},
          {"dehestan", ColType::NVarChar, 40},
          {"rosta", ColType::NVarChar, 40},
          {"khanevar", ColType::Int},
          {"cod", ColType::NVarChar, 30},
          {"X", ColType::NVarChar, 35},
          {"Y", ColType::NVarChar, 35},
          {"jamiyat", ColType::Int},
          {"majmoe", ColType::NVarChar, 50},
          {"etebar_sal", ColType::NVarChar, 4},
          {"tamin_loc", ColType::NVarChar, 50},  // copied from naghshe.tamin_loc
          {"movafeghat_dat", ColType::NVarChar, 10},
          {"tarh_typ", ColType::NVarChar, 40},  // copied from naghshe.tarh_typ
          {"naghshe_moshaver_name", ColType::NVarChar, 150},  // copied from naghshe.peymankar
          {"naghshe_tahvil_dat2", ColType::NVarChar, 10},
          {"tarh_moshaver_name", ColType::NVarChar, 150},  // contractor display name
          {"taeid_dat", ColType::NVarChar, 10},
          {"taeid_paper_no", ColType::NVarChar, 30},
          {"tarh_prot_dat", ColType::NVarChar, 10},
          {"moshaver_prot_no", ColType::NVarChar, 30},
          {"prot_mablagh", ColType::Money},
          {"check_list_dat2", ColType::NVarChar, 10},
          {"tarh_tahvil_dat1", ColType::NVarChar, 10},
          {"arzyabi_dat", ColType::NVarChar, 10},
          {"tarh_emtiyaz", ColType::Float},
          {"gis_dat", ColType::NVarChar, 10},
          {"gis_emtiyaz", ColType::Float},
          {"tarh_tasvib_dat", ColType::NVarChar, 10},
          {"arzyabi_emtiyaz", ColType::NVarChar, 25},
          {"jalase_tasvib_dat", ColType::NVarChar, 10},
          {"ejra_checklist_dat", ColType::NVarChar, 10},
          {"ejra_emtiyaz", ColType::Float},
          {"asnad_tahvil_dat", ColType::NVarChar, 10},
          {"farmandari_dat", ColType::NVarChar, 10},
          {"tehran_ersal_dat", ColType::NVarChar, 10},
          {"prot_mablagh_binofoz", ColType::Money},
          {"jalase_city_dat", ColType::NVarChar, 10},
          {"komitefani_dat1", ColType::NVarChar, 10},
          {"komitefani_dat3", ColType::NVarChar, 10},
          {"komitefani_dat4", ColType::NVarChar, 10},
          {"checklist_nahaei_dat", ColType::NVarChar, 10},
          {"checklist_nahaei_emtiyaz", ColType::Float},
          {"peymankar_id", ColType::Int},
          {"masahat", ColType::Float},
          {"amel4", ColType::NVarChar, 60},
          {"khanevar_p", ColType::Int},
          {"jamiyat_p", ColType::Int},
          {"masahat_m", ColType::Float},
          {"masahat_p", ColType::Float},
          {"masahat_z_m", ColType::Float},
          {"masahat_z_p", ColType::Float},
          {"masahat_k_k_p", ColType::Float},
          {"masahat_k_m_p", ColType::Float},
          {"masahat_t", ColType::Float},
          {"masahat_b_m", ColType::Float},
          {"masahat_b_p", ColType::Float},
          {"roshd", ColType::Float},
          {"gis_emtiyaz2", ColType::Float},
          {"status", ColType::NVarChar, 100},
          {"tamdid_dat", ColType::NVarChar, 10},
          {"mojaz", ColType::NVarChar, 50}},
         {{"ix_borvinat_city_status", {"city", "status", "etebar_sal"}},
          {"ix_borvinat_city_etebar_sal_amounts", {"city", "etebar_sal", "status", "prot_mablagh"}}}},

        // Surveying contractors.
        {"peymankar",
         {{"id", ColType::IntIdentity},
          {"typ", ColType::NVarChar, 20},
          {"lname", ColType::NVarChar, 100},
          {"fname", ColType::NVarChar, 30},
          {"father", ColType::NVarChar, 30},
          {"sh_no", ColType::NVarChar, 10},
          {"nation", ColType::NVarChar, 10},
          {"birthday", ColType::NVarChar, 10},
          {"sodor", ColType::NVarChar, 40},
          {"degree", ColType::NVarChar, 50},
          {"zipcode", ColType::NVarChar, 10},
          {"adr", ColType::NVarChar, 150},
          {"bank", ColType::NVarChar, 20},
          {"shobe", ColType::NVarChar, 35},
          {"hesab_no", ColType::NVarChar, 50},
          {"mobile", ColType::NVarChar, 20},
          {"phone", ColType::NVarChar, 20},  // landline with area code is eleven digits
          {"comp_name", ColType::NVarChar, 100},
          {"comp_dat", ColType::NVarChar, 10},
          {"comp_loc", ColType::NVarChar, 30},
          {"comp_adr", ColType::NVarChar, 150},
          {"comp_no", ColType::NVarChar, 30},
          {"comp_shenase", ColType::NVarChar, 30},
          {"tamin_shahr", ColType::NVarChar, 50},
          {"tamin_shobe", ColType::NVarChar, 30},
          {"eghtesadi_cod", ColType::NVarChar, 50}},
         {}},

        // Studies contractors.
        {"peymankaran",
         {{"id", ColType::IntIdentity},
          {"typ", ColType::NVarChar, 20},
          {"lname", ColType::NVarChar, 100},
          {"fname", ColType::NVarChar, 30},
          {"father", ColType::NVarChar, 30},
          {"sh_no", ColType::NVarChar, 10},
          {"nation", ColType::NVarChar, 10},
          {"birthday", ColType::NVarChar, 10},
          {"sodor", ColType::NVarChar, 40},
          {"degree", ColType::NVarChar, 50},
          {"degree_dat", ColType::NVarChar, 10},
          {"zipcode", ColType::NVarChar, 10},
          {"adr", ColType::NVarChar, 150},
          {"bank", ColType::NVarChar, 20},
          {"shobe", ColType::NVarChar, 35},
          {"hesab_no", ColType::NVarChar, 50},
          {"mobile", ColType::NVarChar, 20},
          {"phone", ColType::NVarChar, 20},  // landline with area code is eleven digits
          {"comp_name", ColType::NVarChar, 100},
          {"comp_dat", ColType::NVarChar, 10},
          {"comp_loc", ColType::NVarChar, 30},
          {"comp_adr", ColType::NVarChar, 150},
          {"comp_no", ColType::NVarChar, 30},
          {"comp_shenase", ColType::NVarChar, 30},
          {"comp_rotbe", ColType::Int},
          {"comp_etebar_dat", ColType::NVarChar, 10},
          {"comp_eghtesadi_cod", ColType::NVarChar, 50},
          {"taminejtemaei", ColType::NVarChar, 30}},
         {}},

        // Catalogue of survey evaluation items.
        {"arzyabi",
         {{"id", ColType::IntIdentity},
          {"cmt", ColType::NVarChar, 500},
          {"emtiyaz", ColType::Float}},
         {}},

        // Catalogue of the surveying credit checklist items.
        {"naghshe_cheklist",
         {{"id", ColType::IntIdentity},
          {"typ", ColType::NVarChar, 50},
          {"mozo", ColType::NVarChar, 500},
          {"bale", ColType::NVarChar, 10},
          {"kheyr", ColType::NVarChar, 10},
          {"cmt", ColType::NVarChar, 250}},
         {}},

        // Catalogue of guide-plan form-and-content evaluation items.
        {"arzyabi_tarh",
         {{"id", ColType::IntIdentity},
          {"kol", ColType::NVarChar, 500},
          {"joz", ColType::NVarChar, 500},
          {"emtiyaz", ColType::Float}},
         {}},

        // Catalogue of GIS evaluation items.
        {"arzyabi_gis",
         {{"id", ColType::IntIdentity},
          {"cmt", ColType::NVarChar, 500},
          {"emtiyaz", ColType::Float}},
         {}},

        // Catalogue of base-map evaluation items.
        {"arzyabi_naghshe",
         {{"id", ColType::IntIdentity},
          {"cmt", ColType::NVarChar, 500}},
         {}},

        // Catalogue of consultant and fourth-agent evaluation questions.
        {"arzyabi_moshaver",
         {{"id", ColType::IntIdentity},
          {"cmt", ColType::NVarChar, 500}},
         {}},

        // Evaluation rows of one survey project.
        {"naghshe_arzyabi",
         {{"id", ColType::IntIdentity},
          {"naghshe_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 500},
          {"emtiyaz_top", ColType::Float},
          {"anjam", ColType::NVarChar, 20},
          {"keifiyat", ColType::NVarChar, 20},
          {"emtiyaz", ColType::Float},
          {"sayer", ColType::NVarChar, 150}},
         {{"ix_naghshe_arzyabi_naghshe_id", {"naghshe_id"}}}},

        // GIS evaluation rows of a study.
        {"borvinat_arzyabi_gis",
         {{"id", ColType::IntIdentity},
          {"borvinat_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 500},
          {"emtiyaz_top", ColType::Float},
          {"emtiyaz", ColType::Float}},
         {{"ix_borvinat_arzyabi_gis_borvinat_id", {"borvinat_id"}}}},

        // Guide-plan evaluation rows of a study.
        {"borvinat_arzyabi_tarh",
         {{"id", ColType::IntIdentity},
          {"borvinat_id", ColType::BigInt},
          {"kol", ColType::NVarChar, 500},
          {"joz", ColType::NVarChar, 500},
          {"emtiyaz_top", ColType::Float},
          {"anjam", ColType::NVarChar, 20},
          {"keifiyat", ColType::NVarChar, 20},
          {"emtiyaz", ColType::Float},
          {"sayer", ColType::NVarChar, 150},
          {"dat", ColType::NVarChar, 10},
          {"karshenas", ColType::NVarChar, 50},
          {"zaeif", ColType::NVarChar, 1},
          {"motevaset", ColType::NVarChar, 1},
          {"khob", ColType::NVarChar, 1},
          {"ali", ColType::NVarChar, 1}},
         {{"ix_borvinat_arzyabi_tarh_borvinat_id", {"borvinat_id"}}}},

        // Base-map evaluation rows of a study.
        {"borvinat_arzyabi_naghshe",
         {{"id", ColType::IntIdentity},
          {"borvinat_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 500},
          {"anjam", ColType::NVarChar, 20},
          {"dat", ColType::NVarChar, 10},
          {"sayer", ColType::NVarChar, 150}},
         {{"ix_borvinat_arzyabi_naghshe_borvinat_id", {"borvinat_id"}}}},

        // Consultant evaluation answers of a study.
        {"borvinat_arzyabi_moshaver",
         {{"id", ColType::IntIdentity},
          {"borvinat_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 500},
          {"keifiyat", ColType::NVarChar, 20}},
         {{"ix_borvinat_arzyabi_moshaver_borvinat_id", {"borvinat_id"}}}},

        // Attachments of a survey project.
        {"naghshe_pic",
         {{"id", ColType::BigIdentity},
          {"naghshe_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_naghshe_pic_naghshe_id", {"naghshe_id"}}}},

        // Attachments of a study.
        {"borvinat_pic",
         {{"id", ColType::BigIdentity},
          {"borvinat_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_borvinat_pic_borvinat_id", {"borvinat_id"}}}},

        // Phone book.
        {"phone",
         {{"id", ColType::BigIdentity},
          {"name", ColType::NVarChar, 100},
          {"tel", ColType::NVarChar, 40},
          {"cmt", ColType::NVarChar, 150}},
         {}},

        // Attachments of a surveying contractor.
        {"peymankar_pic",
         {{"id", ColType::BigIdentity},
          {"peymankar_id", ColType::Int},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_peymankar_pic_peymankar_id", {"peymankar_id"}}}},

        // Attachments of a studies contractor.
        {"peymankaran_pic",
         {{"id", ColType::BigIdentity},
          {"peymankar_id", ColType::Int},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_peymankaran_pic_peymankar_id", {"peymankar_id"}}}},

        // Main indicators of the approved plan of a study.
        {"shakhes",
         {{"id", ColType::BigIdentity},
          {"borvinat_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"mojod", ColType::Float},
          {"ofogh", ColType::Float}},
         {{"ix_shakhes_borvinat_id", {"borvinat_id"}}}},

        // Catalogue of detailed-plan evaluation items.
        {"arzyabi_item_tafsili",
         {{"id", ColType::IntIdentity},
          {"kol", ColType::NVarChar, 500},
          {"joz", ColType::NVarChar, 500},
          {"emtiyaz", ColType::Float}},
         {}},

        // Detailed-plan evaluation rows of a study.
        {"borvinat_arzyabi_tafsili",
         {{"id", ColType::IntIdentity},
          {"borvinat_id", ColType::BigInt},
          {"kol", ColType::NVarChar, 500},
          {"joz", ColType::NVarChar, 500},
          {"emtiyaz_top", ColType::Float},
          {"anjam_shod", ColType::NVarChar, 1},
          {"anjam_nashod", ColType::NVarChar, 1},
          {"emtiyaz", ColType::Float},
          {"dat", ColType::NVarChar, 10},
          {"karshenas", ColType::NVarChar, 50},
          {"zaeif", ColType::NVarChar, 1},
          {"motevaset", ColType::NVarChar, 1},
          {"khob", ColType::NVarChar, 1},
          {"ali", ColType::NVarChar, 1}},
         {{"ix_borvinat_arzyabi_tafsili_borvinat_id", {"borvinat_id"}}}},

        // Surveying documents not tied to one project.
        {"naghshe_mostanadat",
         {{"id", ColType::BigIdentity},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},  // file extension with its dot
          {"pic", ColType::Image}},
         {}},

        // Study documents not tied to one study.
        {"borvinat_mostanadat",
         {{"id", ColType::BigIdentity},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},  // file extension with its dot
          {"pic", ColType::Image}},
         {}},

        // Staging row for a document on its way into a documents table.
        {"new_mostanadat",
         {{"id", ColType::BigIdentity},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},  // as wide as every documents table it feeds
          {"pic", ColType::Image}},
         {}},

        // Staging row for an owned attachment on its way into a *_pic table.
        {"new_pic",
         {{"id", ColType::BigIdentity},
          {"new_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_new_pic_new_id", {"new_id"}}}},

        // General documents.
        {"mostanadat",
         {{"id", ColType::BigIdentity},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {}},

        // Meeting guests of a study.
        {"jalasat",
         {{"id", ColType::BigIdentity},
          {"borvinat_id", ColType::BigInt},
          {"dat", ColType::NVarChar, 10},
          {"org", ColType::NVarChar, 100},
          {"shakhs", ColType::NVarChar, 40},
          {"hozor", ColType::Int},
          {"jalase_no", ColType::NVarChar, 10},
          {"title", ColType::NVarChar, 100}},
         {{"ix_jalasat_borvinat_id", {"borvinat_id"}}}},

        // Surveying cameras.
        {"dorbin",
         {{"id", ColType::BigIdentity},
          {"city", ColType::NVarChar, 100},
          {"typ", ColType::NVarChar, 150},
          {"cod", ColType::NVarChar, 50},
          {"prs", ColType::NVarChar, 80},
          {"cmt", ColType::NVarChar, 200}},
         {}},

        // History events of a camera, each with an optional document picture.
        {"dorbin_pic",
         {{"id", ColType::BigIdentity},
          {"dorbin_id", ColType::NVarChar, 100},  // the camera's id as text
          {"dat", ColType::NVarChar, 10},
          {"cmt", ColType::NVarChar, 200},
          {"sharh", ColType::Image},
          {"pictyp", ColType::NVarChar, 10},  // file extension with its dot
          {"pic", ColType::Image}},
         {{"ix_dorbin_pic_dorbin_id", {"dorbin_id"}}}},

        // Consultant workflow records.
        {"moshaveran",
         {{"id", ColType::BigIdentity},
          {"city", ColType::NVarChar, 100},
          {"bakhsh", ColType::NVarChar, 100},
          {"dehestan", ColType::NVarChar, 100},
          {"rosta", ColType::NVarChar, 150},
          {"cod", ColType::NVarChar, 100},
          {"harim", ColType::NVarChar, 10},
          {"moshaver", ColType::NVarChar, 150},
          {"moshaver_dat1", ColType::NVarChar, 10},
          {"moshaver_dat2", ColType::NVarChar, 10},
          {"tahvil_map", ColType::NVarChar, 10},
          {"amel4_no", ColType::NVarChar, 40},  // a contract number, as wide as naghshe.prot_no
          {"amel4_dat", ColType::NVarChar, 10},
          {"amel4_name", ColType::NVarChar, 100},  // reviewing expert's full name
          {"bazdid", ColType::NVarChar, 10},
          {"bazdid_dat", ColType::NVarChar, 10},
          {"bazdid_t", ColType::NVarChar, 10},
          {"estelam", ColType::NVarChar, 10},
          {"estelam_t", ColType::NVarChar, 10},
          {"dehyar", ColType::NVarChar, 10},
          {"dehyar_dat", ColType::NVarChar, 10},
          {"dehyar_t", ColType::NVarChar, 10},
          {"shahr_map", ColType::NVarChar, 10},
          {"shahr_map_dat", ColType::NVarChar, 10},
          {"shahr_map_t", ColType::NVarChar, 10},
          {"shahr_jalase", ColType::NVarChar, 10},
          {"shahr_jalase_dat", ColType::NVarChar, 10},
          {"shahr_jalase_t", ColType::NVarChar, 10},
          {"behengam", ColType::NVarChar, 10},
          {"behengam_dat", ColType::NVarChar, 10},
          {"behengam_t", ColType::NVarChar, 10},
          {"fani", ColType::NVarChar, 10},
          {"fani_dat", ColType::NVarChar, 10},
          {"fani_t", ColType::NVarChar, 10},
          {"tasvib", ColType::NVarChar, 10},
          {"tasvib_dat", ColType::NVarChar, 10},
          {"tasvib_t", ColType::NVarChar, 10},
          {"kargoroh", ColType::NVarChar, 10},
          {"kargoroh_dat", ColType::NVarChar, 10},
          {"kargoroh_t", ColType::NVarChar, 10},
          {"cd_map", ColType::NVarChar, 10},
          {"cd_map_dat", ColType::NVarChar, 10},
          {"cd_map_t", ColType::NVarChar, 10},
          {"albom", ColType::NVarChar, 10},
          {"albom_dat", ColType::NVarChar, 10},
          {"albom_t", ColType::NVarChar, 10},
          {"taeed", ColType::NVarChar, 10},
          {"taeed_dat", ColType::NVarChar, 10},
          {"taeed_t", ColType::NVarChar, 10},
          {"chap", ColType::NVarChar, 10},
          {"chap_dat", ColType::NVarChar, 10},
          {"chap_t", ColType::NVarChar, 10},
          {"prin", ColType::NVarChar, 10},
          {"prin_dat", ColType::NVarChar, 10},
          {"prin_t", ColType::NVarChar, 10},
          {"sahafi", ColType::NVarChar, 10},
          {"sahafi_dat", ColType::NVarChar, 10},
          {"sahafi_t", ColType::NVarChar, 10},
          {"nazar", ColType::NVarChar, 10},
          {"nazar_dat", ColType::NVarChar, 10},
          {"nazar_t", ColType::NVarChar, 10},
          {"nazar_cmt", ColType::NVarChar, 250},
          {"asnad", ColType::NVarChar, 10},
          {"asnad_dat", ColType::NVarChar, 10},
          {"asnad_t", ColType::NVarChar, 10},
          {"eblagh", ColType::NVarChar, 10},
          {"eblagh_dat", ColType::NVarChar, 10},
          {"eblagh_t", ColType::NVarChar, 10},
          {"karbar", ColType::NVarChar, 150}},  // a user name, as wide as users.us
         {}},

        // Offices asked for inquiries in a consultant workflow.
        {"moshaveran_estelam",
         {{"id", ColType::BigIdentity},
          {"moshaveran_id", ColType::BigInt},
          {"edare", ColType::NVarChar, 150}},
         {{"ix_moshaveran_estelam_moshaveran_id", {"moshaveran_id"}}}},

        // Attachments of a consultant workflow record.
        {"moshaveran_pic",
         {{"id", ColType::BigIdentity},
          {"moshaveran_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_moshaveran_pic_moshaveran_id", {"moshaveran_id"}}}},

        // Cadastral registration jobs. The entry window inserts without a column
        // list, so this order is part of its contract.
        {"sabti",
         {{"id", ColType::BigIdentity},
          {"city", ColType::NVarChar, 100},
          {"bakhsh", ColType::NVarChar, 100},
          {"dehestan", ColType::NVarChar, 100},
          {"rosta", ColType::NVarChar, 100},
          {"cod", ColType::NVarChar, 100},
          {"tamin_sal", ColType::NVarChar, 4},
          {"peymankar", ColType::NVarChar, 200},  // also "family * company" after an edit
          {"peymankar_id", ColType::Int},
          {"prot_no", ColType::NVarChar, 40},
          {"prot_dat1", ColType::NVarChar, 10},
          {"prot_dat2", ColType::NVarChar, 10},
          {"tarh", ColType::NVarChar, 90},
          {"ravesh", ColType::NVarChar, 90},
          {"tedad", ColType::Int},
          {"mablagh_gh", ColType::Money},
          {"zarib_gh_s", ColType::Float},
          {"mablagh_gh_1", ColType::Money},
          {"tedad_gh", ColType::Int},
          {"masahat", ColType::Float},
          {"zarib_p", ColType::Float},
          {"zarib_t", ColType::Float},
          {"zarib_m", ColType::Float},
          {"tajhiz", ColType::Money},
          {"zarib_k", ColType::Float},
          {"zarib_man", ColType::Float},
          {"mablagh_m_1", ColType::Money},
          {"paper_no", ColType::NVarChar, 90},
          {"paper_dat", ColType::NVarChar, 10},
          {"tahvil_dat", ColType::NVarChar, 10},
          {"hosn_dat", ColType::NVarChar, 10},
          {"ravesh_s", ColType::NVarChar, 90},
          {"status", ColType::NVarChar, 90},
          {"tedad_s", ColType::Int},
          {"mablagh_gh_s", ColType::Money},
          {"zarib_s_s", ColType::Float},
          {"masahat_s", ColType::Float},
          {"zarib_p_s", ColType::Float},
          {"zarib_t_s", ColType::Float},
          {"zarib_m_s", ColType::Float},
          {"zarib_k_s", ColType::Float},
          {"map_hazine", ColType::Money},
          {"jarime", ColType::Money},
          {"esterdad", ColType::NVarChar, 10},
          {"ravesh2", ColType::NVarChar, 50},
          {"hazine_map", ColType::Money},
          {"ravesh_s_h", ColType::NVarChar, 50},
          {"tedad_gh_h", ColType::Int},
          {"zarib_man_h", ColType::Float},
          {"status_dat_gh", ColType::NVarChar, 10},
          {"status_dat_h", ColType::NVarChar, 10}},
         {{"ix_sabti_city_status", {"city", "status", "tamin_sal"}},
          {"ix_sabti_city_prot_dat2", {"city", "prot_dat2", "tahvil_dat", "tamin_sal"}}}},

        // Registration contractors.
        {"sabti_peyman",
         {{"id", ColType::IntIdentity},
          {"typ", ColType::NVarChar, 40},
          {"fname", ColType::NVarChar, 50},
          {"lname", ColType::NVarChar, 80},
          {"company", ColType::NVarChar, 100},
          {"father", ColType::NVarChar, 40},
          {"nation", ColType::NVarChar, 10},
          {"email", ColType::NVarChar, 50},
          {"madrak", ColType::NVarChar, 50},
          {"reshte", ColType::NVarChar, 50},
          {"mobile", ColType::NVarChar, 50},
          {"tel", ColType::NVarChar, 50},
          {"nezam", ColType::NVarChar, 50},
          {"cod_sabti", ColType::NVarChar, 50},
          {"model", ColType::NVarChar, 90},
          {"serial", ColType::NVarChar, 90},
          {"cod_karbari", ColType::NVarChar, 50},  // portal password as typed
          {"adr", ColType::NVarChar, 150},
          {"hesab_no", ColType::NVarChar, 100},
          {"sodor", ColType::NVarChar, 20},
          {"sh_no", ColType::NVarChar, 10},
          {"zipcode", ColType::NVarChar, 20},
          {"birthday", ColType::NVarChar, 10},
          {"bank", ColType::NVarChar, 20},
          {"shobe", ColType::NVarChar, 35},  // bank branch name, as wide as peymankar.shobe
          {"comp_name", ColType::NVarChar, 100},
          {"comp_dat", ColType::NVarChar, 10},
          {"comp_loc", ColType::NVarChar, 30},
          {"comp_adr", ColType::NVarChar, 150},
          {"comp_no", ColType::NVarChar, 30},
          {"comp_shenase", ColType::NVarChar, 30},
          {"eghtesadi_cod", ColType::NVarChar, 30},
          {"tamin_shahr", ColType::NVarChar, 50},
          {"tamin_shobe", ColType::NVarChar, 30}},
         {}},

        // Correspondence of a registration job.
        {"sabti_mokatebat",
         {{"id", ColType::BigIdentity},
          {"sabti_id", ColType::BigInt},
          {"paper_no", ColType::NVarChar, 50},
          {"paper_dat", ColType::NVarChar, 10},
          {"taraf", ColType::NVarChar, 150},
          {"mozo", ColType::NVarChar, 150},
          {"typ", ColType::NVarChar, 15},
          {"post", ColType::NVarChar, 150}},
         {{"ix_sabti_mokatebat_sabti_id", {"sabti_id"}}}},

        // Attachments of a registration job.
        {"sabti_pic",
         {{"id", ColType::BigIdentity},
          {"sabti_id", ColType::BigInt},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_sabti_pic_sabti_id", {"sabti_id"}}}},

        // Registration documents not tied to one job.
        {"sabti_mostanadat",
         {{"id", ColType::IntIdentity},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {}},

        // Attachments of a registration contractor.
        {"sabti_peyman_pic",
         {{"id", ColType::BigIdentity},
          {"peyman_id", ColType::Int},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_sabti_peyman_pic_peyman_id", {"peyman_id"}}}},

        // Attachments of a registration letter.
        {"sabti_mokatebat_pic",
         {{"id", ColType::BigIdentity},
          {"mokatebat_id", ColType::Int},
          {"cmt", ColType::NVarChar, 100},
          {"pictyp", ColType::NVarChar, 10},
          {"pic", ColType::Image}},
         {{"ix_sabti_mokatebat_pic_mokatebat_id", {"mokatebat_id"}}}},

        // Map scales with their unit prices.
        {"naghshe_meghyas",
         {{"id", ColType::IntIdentity},
          {"scale", ColType::Int},
          {"khali_price", ColType::Money},
          {"por_price", ColType::Money}},
         {}},

        // Surveying estimate requests.
        {"baravord",
         {{"id", ColType::IntIdentity},
          {"dat_darkhast", ColType::NVarChar, 10},
          {"city", ColType::NVarChar, 30},
          {"bakhsh", ColType::NVarChar, 40},
          {"dehestan", ColType::NVarChar, 40},
          {"rosta", ColType::NVarChar, 40},
          {"cod", ColType::NVarChar, 30},
          {"dat_naghshe", ColType::NVarChar, 10},
          {"masahat_por", ColType::Float},
          {"masahat_khali", ColType::Float},
          {"mablagh", ColType::Money},
          {"cmt", ColType::NVarChar, 150},
          {"dat_borvinat", ColType::NVarChar, 10},
          {"cmt2", ColType::NVarChar, 150}},
         {}},

        // Village coordinates and coefficients kept beside the registry.
        {"abadiha_xy",
         {{"id", ColType::BigIdentity},
          {"cod", ColType::NVarChar, 30},
          {"x", ColType::NVarChar, 35},
          {"y", ColType::NVarChar, 35},
          {"khanevar", ColType::Int},
          {"zarib", ColType::Float},
          {"jamiyat", ColType::Int},
          {"zaribMantaghe", ColType::Float},
          {"zaribDori", ColType::Float}},
         {}},
    };
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameNameIgnoringCase(const char *a, const char *b)
{
    std::size_t i = 0;
    for (; a[i] != '\0' && b[i] != '\0'; ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return a[i] == b[i];
}

}  // namespace

const std::vector<Table> &allTables()
{
    static const std::vector<Table> tables = buildTables();
    return tables;
}

const Table *findTable(const char *name)
{
    if (name == nullptr)
        return nullptr;
    for (const Table &t : allTables()) {
        if (sameNameIgnoringCase(t.name, name))
            return &t;
    }
    return nullptr;
}

}  // namespace bv::schema
