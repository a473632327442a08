#include "platform/cadhost/NewDrawing.h"

#include <string>

#include "platform/cadhost/DxfReader.h"

namespace cadhost {

namespace {

// An empty AC1027 drawing in millimetres: the tables, the two layout blocks
// and the dictionaries that CAD programs expect, as pairs of "code value"
// lines; the layouts follow (appendLayout).
constexpr const char* kTemplate[] = {
    "0 SECTION", "2 HEADER",
    "9 $ACADVER", "1 AC1027",
    "9 $DWGCODEPAGE", "3 ANSI_1252",
    "9 $INSBASE", "10 0", "20 0", "30 0",
    "9 $EXTMIN", "10 0", "20 0", "30 0",
    "9 $EXTMAX", "10 1000", "20 1000", "30 0",
    "9 $LIMMIN", "10 0", "20 0",
    "9 $LIMMAX", "10 420", "20 297",
    "9 $CLAYER", "8 0",
    "9 $CELTYPE", "6 ByLayer",
    "9 $TEXTSTYLE", "7 Standard",
    "9 $DIMSTYLE", "2 Standard",
    "9 $DIMSCALE", "40 1",
    "9 $LTSCALE", "40 1",
    "9 $INSUNITS", "70 4",
    "9 $MEASUREMENT", "70 1",
    "9 $UCSORG", "10 0", "20 0", "30 0",
    "9 $UCSXDIR", "10 1", "20 0", "30 0",
    "9 $UCSYDIR", "10 0", "20 1", "30 0",
    "9 $HANDSEED", "5 21",
    "0 ENDSEC",
    "0 SECTION", "2 CLASSES",
    "0 CLASS", "1 ACDBDICTIONARYWDFLT", "2 AcDbDictionaryWithDefault", "3 ObjectDBX Classes",
    "90 0", "91 0", "280 0", "281 0",
    "0 CLASS", "1 ACDBPLACEHOLDER", "2 AcDbPlaceHolder", "3 ObjectDBX Classes",
    "90 0", "91 0", "280 0", "281 0",
    "0 CLASS", "1 LAYOUT", "2 AcDbLayout", "3 ObjectDBX Classes",
    "90 0", "91 0", "280 0", "281 0",
    "0 ENDSEC",
    "0 SECTION", "2 TABLES",
    "0 TABLE", "2 VPORT", "5 1", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 VPORT", "5 11", "330 1", "100 AcDbSymbolTableRecord", "100 AcDbViewportTableRecord",
    "2 *Active", "70 0", "10 0", "20 0", "11 1", "21 1", "12 500", "22 500", "13 0", "23 0",
    "14 10", "24 10", "15 10", "25 10", "16 0", "26 0", "36 1", "17 0", "27 0", "37 0",
    "40 1000", "41 1.25", "42 50", "43 0", "44 0", "50 0", "51 0",
    "71 0", "72 1000", "73 1", "74 3", "75 0", "76 0", "77 0", "78 0",
    "0 ENDTAB",
    "0 TABLE", "2 LTYPE", "5 2", "330 0", "100 AcDbSymbolTable", "70 3",
    "0 LTYPE", "5 12", "330 2", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord",
    "2 ByBlock", "70 0", "3 ", "72 65", "73 0", "40 0",
    "0 LTYPE", "5 13", "330 2", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord",
    "2 ByLayer", "70 0", "3 ", "72 65", "73 0", "40 0",
    "0 LTYPE", "5 14", "330 2", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord",
    "2 Continuous", "70 0", "3 Solid line", "72 65", "73 0", "40 0",
    "0 ENDTAB",
    "0 TABLE", "2 LAYER", "5 3", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 LAYER", "5 15", "330 3", "100 AcDbSymbolTableRecord", "100 AcDbLayerTableRecord",
    "2 0", "70 0", "62 7", "6 Continuous", "370 -3", "390 E",
    "0 ENDTAB",
    "0 TABLE", "2 STYLE", "5 4", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 STYLE", "5 16", "330 4", "100 AcDbSymbolTableRecord", "100 AcDbTextStyleTableRecord",
    "2 Standard", "70 0", "40 0", "41 1", "50 0", "71 0", "42 2.5", "3 txt", "4 ",
    "0 ENDTAB",
    "0 TABLE", "2 VIEW", "5 5", "330 0", "100 AcDbSymbolTable", "70 0",
    "0 ENDTAB",
    "0 TABLE", "2 UCS", "5 6", "330 0", "100 AcDbSymbolTable", "70 0",
    "0 ENDTAB",
    "0 TABLE", "2 APPID", "5 7", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 APPID", "5 17", "330 7", "100 AcDbSymbolTableRecord", "100 AcDbRegAppTableRecord",
    "2 ACAD", "70 0",
    "0 ENDTAB",
    "0 TABLE", "2 DIMSTYLE", "5 8", "330 0", "100 AcDbSymbolTable", "70 1",
    "100 AcDbDimStyleTable", "71 1", "340 18",
    "0 DIMSTYLE", "105 18", "330 8", "100 AcDbSymbolTableRecord", "100 AcDbDimStyleTableRecord",
    "2 Standard", "70 0", "40 1", "41 2.5", "42 0.625", "43 3.75", "44 1.25", "140 2.5", "141 2.5",
    "147 0.625", "77 1", "78 8", "340 16",
    "0 ENDTAB",
    "0 TABLE", "2 BLOCK_RECORD", "5 9", "330 0", "100 AcDbSymbolTable", "70 2",
    "0 BLOCK_RECORD", "5 19", "330 9", "100 AcDbSymbolTableRecord", "100 AcDbBlockTableRecord",
    "2 *Model_Space", "340 1F", "70 0", "280 1", "281 0",
    "0 BLOCK_RECORD", "5 1A", "330 9", "100 AcDbSymbolTableRecord", "100 AcDbBlockTableRecord",
    "2 *Paper_Space", "340 20", "70 0", "280 1", "281 0",
    "0 ENDTAB",
    "0 ENDSEC",
    "0 SECTION", "2 BLOCKS",
    "0 BLOCK", "5 1B", "330 19", "100 AcDbEntity", "8 0", "100 AcDbBlockBegin", "2 *Model_Space",
    "70 0", "10 0", "20 0", "30 0", "3 *Model_Space", "1 ",
    "0 ENDBLK", "5 1C", "330 19", "100 AcDbEntity", "8 0", "100 AcDbBlockEnd",
    "0 BLOCK", "5 1D", "330 1A", "100 AcDbEntity", "67 1", "8 0", "100 AcDbBlockBegin", "2 *Paper_Space",
    "70 0", "10 0", "20 0", "30 0", "3 *Paper_Space", "1 ",
    "0 ENDBLK", "5 1E", "330 1A", "100 AcDbEntity", "67 1", "8 0", "100 AcDbBlockEnd",
    "0 ENDSEC",
    "0 SECTION", "2 ENTITIES",
    "0 ENDSEC",
    "0 SECTION", "2 OBJECTS",
    "0 DICTIONARY", "5 A", "330 0", "100 AcDbDictionary", "281 1",
    "3 ACAD_GROUP", "350 B", "3 ACAD_LAYOUT", "350 C", "3 ACAD_MLINESTYLE", "350 F",
    "3 ACAD_PLOTSTYLENAME", "350 D",
    "0 DICTIONARY", "5 B", "330 A", "100 AcDbDictionary", "281 1",
    "0 DICTIONARY", "5 C", "330 A", "100 AcDbDictionary", "281 1",
    "3 Layout1", "350 20", "3 Model", "350 1F",
    "0 ACDBDICTIONARYWDFLT", "5 D", "330 A", "100 AcDbDictionary", "281 1", "3 Normal", "350 E",
    "100 AcDbDictionaryWithDefault", "340 E",
    "0 ACDBPLACEHOLDER", "5 E", "330 D",
    "0 DICTIONARY", "5 F", "330 A", "100 AcDbDictionary", "281 1", "3 Standard", "350 10",
    "0 MLINESTYLE", "5 10", "330 F", "100 AcDbMlineStyle", "2 Standard", "70 0", "3 ", "62 256",
    "51 90", "52 90", "71 2", "49 0.5", "62 256", "6 BYLAYER", "49 -0.5", "62 256", "6 BYLAYER",
};

void appendPair(std::string& text, std::string_view pair) {
  const std::size_t space = pair.find(' ');
  text.append(pair.substr(0, space));
  text += '\n';
  text.append(pair.substr(space + 1));
  text += '\n';
}

// A LAYOUT object on an A3 sheet; the model layout plots its extents.
void appendLayout(std::string& text, const std::string& handle, const std::string& name, bool model,
                  const std::string& blockRecord) {
  const std::string pairs[] = {
      "0 LAYOUT", "5 " + handle, "330 C", "100 AcDbPlotSettings", "1 ", "2 none_device",
      "4 ISO_A3_(420.00_x_297.00_MM)", "6 ", "40 7.5", "41 20", "42 7.5", "43 20", "44 420", "45 297", "46 0",
      "47 0", "48 0", "49 0", "140 0", "141 0", "142 1", "143 1", model ? "70 1712" : "70 688", "72 1", "73 0",
      model ? "74 0" : "74 5", "7 ", model ? "75 0" : "75 16", "76 0", "77 2", "78 300", "147 1", "148 0", "149 0",
      "100 AcDbLayout", "1 " + name, "70 1", model ? "71 0" : "71 1", "10 0", "20 0", "11 420", "21 297", "12 0",
      "22 0", "32 0", "14 0", "24 0", "34 0", model ? "15 1000" : "15 0", model ? "25 1000" : "25 0", "35 0",
      "146 0", "13 0", "23 0", "33 0", "16 1", "26 0", "36 0", "17 0", "27 1", "37 0", "76 0",
      "330 " + blockRecord};
  for (const std::string& pair : pairs) appendPair(text, pair);
}

std::string templateText() {
  std::string text;
  for (const char* pair : kTemplate) appendPair(text, pair);
  appendLayout(text, "1F", "Model", true, "19");
  appendLayout(text, "20", "Layout1", false, "1A");
  appendPair(text, "0 ENDSEC");
  appendPair(text, "0 EOF");
  return text;
}

}  // namespace

std::unique_ptr<Drawing> newDrawing() {
  static const std::string text = templateText();
  return DxfReader::readText(text, "new drawing");
}

}  // namespace cadhost
