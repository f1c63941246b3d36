// Writes the seed corpus of fuzz_db_fixitem: the file of the default and of a small database.
#include "tests/fuzz/DatabaseSeeds.h"

int main(int argc, char** argv) { return Write_File_Seeds(argc, argv, DB_FIXITEM_FILE); }
