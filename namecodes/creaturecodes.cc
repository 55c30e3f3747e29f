// creaturecodes: turns the NPC data "npcdata.txt" into the table "npc_pch.txt".
#include "namecodes/name_code_converter.h"
#include "tablecore/run_frame.h"

int main() { tablecore::RunFrame("npcdata.txt", {"npc_pch.txt"}, namecodes::ConvertNpcLine); }
