// gearcodes: turns the item data "itemdata.txt" into the table "item_pch.txt".
#include "namecodes/name_code_converter.h"
#include "tablecore/run_frame.h"

int main() { tablecore::RunFrame("itemdata.txt", {"item_pch.txt"}, namecodes::ConvertItemLine); }
