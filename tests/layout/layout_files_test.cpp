// The fourteen shipped layout variants: their bytes, their element tree and what the reader
// makes of each, against the table of what differs between variants.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include "layout/layout_reader.h"
#include "layout_test_support.h"

extern char** environ;

namespace {

struct Variant {
    int nNumber;
    bool bByteOrderMark;
    const char* szDialogText;
    const char* szTitle;
    const char* szFolder;
    const char* szFont;
    const char* szDlgTextColor;
    int nWidth2104;
    int nWidth2106;
    // Texts of 2103 to 2109.
    std::array<const char*, 7> texts;
    // SEARCH_DEVICE_LIST_ITEM_NAME, _IP, _TYPE and SEARCH_DEVICE_WATI_TIME_WARNING.
    std::array<const char*, 4> strings;
    bool bChineseNotes;
};

const Variant kVariants[] = {
    {149, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "宋体", "6,65,105", 200,
     224, {"", "设备列表", "设备列表", "正在刷新设备列表,请等待...", "登 陆", "刷 新", "我的存储"},
     {"主机名称", "IP地址", "设备类型", "正在刷新设备列表,请等待"}, true},
    {150, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Tahoma", "244,245,247",
     200, 280,
     {"", "Device List", "Device List", "Searching new devices,please wait\u2026", "Log In",
      "Refresh", "My Storage"},
     {"Host Name", "IP Address", "Devcie Type", "Searching new devices,please wait"}, false},
    {151, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "宋体", "244,245,247",
     200, 280,
     {"", "設備明細", "設備明細", "正在重新整理設備明細,請等待...", "登 錄", "重新整理", "我的儲存"},
     {"主機名稱", "IP地址", "設備型號", "正在重新整理設備明細,請等待"}, true},
    {159, true, "Vesnari", "Vesnari", "\\DefaultSearchTools", "MS Mincho", "244,245,247", 200, 310,
     {"", "デバイス一覧", "デバイス一覧", "を検索しています\u2026", "ログイン", "更新", "My Storage"},
     {"ホスト名", "IPアドレス", "デバイスタイプ", "を検索しています"}, false},
    {160, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Arial", "244,245,247",
     200, 290,
     {"", "Geräteliste", "Geräteliste", "Erfrischend , bitte warten ...", "Log In", "Refresh",
      "My Storage"},
     {"Gerätename", "IP Adresse", "Gerätetyp", "Erfrischend , bitte warten "}, false},
    {161, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Arial", "244,245,247",
     250, 300,
     {"", "Liste des Appareils", "Liste des Appareils",
      "Rechercher de nouveaux appareils, attendez-vous\u2026", "Connecter", "Rafraîchir",
      "Mon Storage"},
     {"Nom d'Hôte", "Adresse IP", "Type", "Actu liste appareils, attendez"}, false},
    {162, true, "Vesnari", "Vesnari", "\\DefaultSearchTools", "courier New", "244,245,247", 250,
     300,
     {"", "Список устройства", "Список устройства", "Ища новый список,  ждите\u2026", "Вход",
      "Обновить", "устройство"},
     {"Имя хоста", " Адрес IP", "Тип", "Ища новые устройства, пожалуйста, ждите"}, false},
    {163, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Dotum", "244,245,247",
     150, 315,
     {"", "장치 리스트", "장치 리스트", "새로운 장치를 검색합니다. 기다리시오...", "로그인", "재검색",
      "Wifi Storage"},
     {"호스트 이름", "IP 주소", "장치 형태", "새로운 장치를 검색 중입니다.기다리세요"}, false},
    {164, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Arial", "244,245,247",
     200, 280,
     {"", "Lista dispos.", "Lista dispos.", "A procurar novos dispos., aguarde\u2026", "Login",
      "Refrescar", "Meu armazen."},
     {"Nome Host", "Endereço IP", "Tipo dispos.", "A procurar novos dispos., aguarde"}, false},
    {165, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Arial", "6,65,105", 200,
     224,
     {"", "Lista de dispositivos", "Lista de dispositivos",
      "Buscando dispositivos nuevos, espere\u2026", "Iniciar sesión", "Actualizar", "Mi almacén"},
     {"Nombre de host", "Dirección IP", "Tipo de dispositivo",
      "Buscando dispositivos nuevos, espere"},
     true},
    {166, true, "VELK WIFI DISK", "VELK WIFI DISK", "\\VELKSearchTools", "Arial", "6,65,105", 200,
     224,
     {"", "Elenco dispositivi", "Elenco dispositivi",
      "Ricerca di nuovi dispositivi in corso, attendere\u2026", "Accedi", "Aggiorna",
      "Il mio archivio"},
     {"Nome host", "Indirizzo IP", "Tipo di dispositivo",
      "Ricerca di nuovi dispositivi in corso, attendere"},
     true},
    {169, true, "VELK WIFI DISK", "VELKSearchTools", "\\VELKSearchTools", "Arial", "6,65,105", 200,
     224,
     {"", "Apparaatlijst", "Apparaatlijst",
      "Zoeken naar nieuwe apparaten, even geduld alstublieft...", "Inloggen", "Vernieuwen",
      "Mijn Opslag"},
     {"Hostnaam", "IP-adres", "Apparaatsoort",
      "Zoeken naar nieuwe apparaten, even geduld alstublieft"},
     true},
    {175, false, "Poszukiwanie urządzenia", "Poszukiwanie urządzenia", "\\BorvikaSearchTools",
     "Tahoma", "244,245,247", 200, 280,
     {"Zamknij", "Dostępne urządzenia", "Device List",
      "Poszukiwanie urządzenia trwa. Proszę czekać ..", "Login", "Odśwież", "Moja pamięć"},
     {"Nazwa urządzenia", "Adres IP", "Typ urządzenia",
      "Poszukiwanie urządzenia trwa. Proszę czekać .."},
     false},
    {178, true, "Quillmar", "Quillmar", "\\KALDERSearchTools", "Tahoma", "244,245,247", 200, 280,
     {"", "Device List", "Device List", "Searching new devices,please wait\u2026", "Log In",
      "Refresh", "My Storage"},
     {"Host Name", "IP Address", "Devcie Type", "Searching new devices,please wait"}, false},
};

void PrintTo(const Variant& v, std::ostream* out)
{
    *out << "variant " << v.nNumber;
}

// What every variant shares with the English one, control by control.
struct BaseControl {
    int nID;
    const char* szClass;
    const char* szImage;
    int nSlices;
    int nPaint;
    CRect rcPos;
    const char* szOffset;
    CPoint ptOffset;
    const char* szTextColor;
    COLORREF clrText;
    int nFontSize;
    const char* szEnglishNote;
    const char* szChineseNote;
};

const BaseControl kBaseControls[] = {
    {2101, "ShowImageCtrl", "logo.png", 1, 4, {7, 7, 23, 23}, "0,0", {0, 0}, "255,255,255",
     0xFFFFFF, 12, "LOG Image Show", "LOG图片显示"},
    {2102, "ShowTextCtrl", "", 1, 4, {30, 4, 300, 29}, "0,0", {0, 0}, "244,245,247", 0xF7F5F4, 21,
     "Dialog Title", "对话框标题栏"},
    {2103, "StandardButton", "close.png", 4, 4, {300, 10, 311, 21}, "0,0", {0, 0}, "244,245,247",
     0xF7F5F4, 12, "Close Button", "关闭按钮"},
    {2104, "ShowTextImageCtrl", "", 1, 4, {15, 32, 0, 47}, "13,2", {13, 2}, "244,245,247",
     0xF7F5F4, 12, "Device List Title", "设备列表标题"},
    {2105, "StandardListCtrl", "", 1, 1, {10, 50, 318, 191}, "0,0", {0, 0}, "6,65,105", 0x694106,
     13, "Device List Show", "设备列表栏"},
    {2106, "ShowTextImageCtrl", "Brush.png", 1, 4, {10, 194, 0, 209}, "15,1", {15, 1},
     "244,245,247", 0xF7F5F4, 12, "", "刷新设备提示信息"},
    {2107, "StandardButton", "ButtonMax.png", 4, 4, {18, 210, 97, 233}, "0,6", {0, 6},
     "244,245,247", 0xF7F5F4, 12, "Log In Button", "登陆按钮"},
    {2108, "StandardButton", "ButtonMax.png", 4, 4, {127, 210, 206, 233}, "0,6", {0, 6},
     "244,245,247", 0xF7F5F4, 12, "Refresh Button", "刷新按钮"},
    {2109, "StandardButton", "ButtonMax.png", 4, 4, {228, 210, 307, 233}, "0,6", {0, 6},
     "244,245,247", 0xF7F5F4, 12, "My Storage Button", "我的存储按钮"},
};

ControlDescription ExpectedControl(const Variant& v, const BaseControl& base, std::size_t nIndex)
{
    ControlDescription c;
    c.nCtrlID = base.nID;
    // An empty image path still gets the root: the path is the root followed by the value.
    c.strBGImagePath = kTestDataRoot;
    if (*base.szImage)
        c.strBGImagePath += std::string(v.szFolder) + "\\Picture\\" + base.szImage;
    c.nSliceCount = base.nSlices;
    c.strFillColor = "255,255,255";
    c.clrFill = 0xFFFFFF;
    c.strBorderColor = "126,157,185";
    c.clrBorder = 0xB99D7E;
    c.nPaintMode = base.nPaint;
    c.strClassName = base.szClass;
    c.dwStyle = base.nID == 2105 ? 0x50000001 : 0x50000000;
    c.strNote = v.bChineseNotes ? base.szChineseNote : base.szEnglishNote;
    if (v.nNumber == 151 && base.nID == 2103)
        c.strNote = "關閉按钮";
    c.strText = base.nID == 2101 ? "" : base.nID == 2102 ? v.szTitle : v.texts[nIndex - 2];
    c.strTextColor = base.szTextColor;
    c.clrText = base.clrText;
    c.ptTextOffset = base.ptOffset;
    c.strFontName = base.nID == 2102 || base.nID == 2105 ? "Tahoma" : v.szFont;
    c.nFontSize = base.nFontSize;
    c.nPosType = 3;
    c.rcPos = base.rcPos;
    if (base.nID == 2104)
        c.rcPos.right = c.rcPos.left + v.nWidth2104;
    if (base.nID == 2106)
        c.rcPos.right = c.rcPos.left + v.nWidth2106;
    c.nShowCmd = 5;
    return c;
}

LayoutStringMap ExpectedStrings(const Variant& v)
{
    return {
        {"SEARCH_DEVICE_LIST_ITEM_NAME", v.strings[0]},
        {"SEARCH_DEVICE_LIST_ITEM_IP", v.strings[1]},
        {"SEARCH_DEVICE_LIST_ITEM_TYPE", v.strings[2]},
        {"SEARCH_DEVICE_LIST_HEADER_FONT_NAME", v.szFont},
        {"SEARCH_DEVICE_LIST_HEADER_FONT_SIZE", "12"},
        {"SEARCH_DEVICE_LIST_HEADER_FONT_COLOR", "244,245,247"},
        {"SEARCH_DEVICE_WATI_TIME_WARNING", v.strings[3]},
    };
}

std::vector<std::string> AttributeNames(pugi::xml_node element)
{
    std::vector<std::string> names;
    for (pugi::xml_attribute attribute : element.attributes())
        names.push_back(attribute.name());
    return names;
}

std::vector<std::string> ChildNames(pugi::xml_node element)
{
    std::vector<std::string> names;
    for (pugi::xml_node child : element.children())
        names.push_back(child.type() == pugi::node_element ? child.name() : "(not an element)");
    return names;
}

class LayoutFile : public LayoutTest, public testing::WithParamInterface<Variant> {};

TEST_P(LayoutFile, ReadsAsTheVariantTableSays)
{
    const Variant& v = GetParam();
    DialogDescription description;
    ASSERT_EQ(ReadLayoutFile(description, ShippedLayoutPath(v.nNumber), 201, "Standard"), 1);

    const bool bChinese = v.bChineseNotes;
    EXPECT_EQ(description.nDialogID, 201);
    EXPECT_EQ(description.strBGImagePath,
              kTestDataRoot + v.szFolder + "\\Picture\\SearchDevice_BlackGround.png");
    EXPECT_EQ(description.strBGColor, "255,255,255");
    EXPECT_EQ(description.clrBG, 0xFFFFFFu);
    EXPECT_EQ(description.nPaintMode, 8);
    EXPECT_EQ(description.strText, v.szDialogText);
    EXPECT_EQ(description.strNote, bChinese ? "搜索工具窗口" : "Search Device Windows");
    EXPECT_EQ(description.rcPos, CRect(0, 0, 328, 245));
    EXPECT_EQ(description.strTextColor, v.szDlgTextColor);
    EXPECT_EQ(description.clrText, std::string(v.szDlgTextColor) == "6,65,105" ? 0x694106u
                                                                                : 0xF7F5F4u);
    EXPECT_EQ(description.ptTextOffset, CPoint(0, 0));
    EXPECT_EQ(description.strFontName, v.szFont);
    EXPECT_EQ(description.nFontSize, 12);

    ASSERT_EQ(description.mapControls.size(), std::size(kBaseControls));
    for (std::size_t i = 0; i < std::size(kBaseControls); ++i) {
        SCOPED_TRACE(kBaseControls[i].nID);
        EXPECT_EQ(description.mapControls[kBaseControls[i].nID],
                  ExpectedControl(v, kBaseControls[i], i));
    }
    EXPECT_EQ(description.mapStrings, ExpectedStrings(v));
}

TEST_P(LayoutFile, BytesAreAsShipped)
{
    const Variant& v = GetParam();
    const std::string bytes = FileBytes(ShippedLayoutPath(v.nNumber));
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";
    const std::size_t nStart = v.bByteOrderMark ? 3 : 0;
    ASSERT_GT(bytes.size(), declaration.size() + nStart);
    EXPECT_EQ(bytes.substr(0, 3) == "\xEF\xBB\xBF", v.bByteOrderMark);
    EXPECT_EQ(bytes.substr(nStart, declaration.size()), declaration);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        } else if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_TRUE(bytes.ends_with("</WindowInformation>"));
}

TEST_P(LayoutFile, TreeHasEveryElementAndAttributeInOrder)
{
    const std::vector<std::string> kDialogAttributes = {"DialogID", "DialogText", "DialogDiscrip"};
    const std::vector<std::string> kSectionAttributes = {"DialogBGPath", "DialogBGColor",
        "DlgPaintMode", "DlgTextOffSet", "DlgTextColor", "DialogFont", "DialogFontSize",
        "DialogPos"};
    const std::vector<std::string> kControlAttributes = {"CtrlID", "CtrlBGPath",
        "CtrlBGStatusCount", "CtrlBGColor", "CtrlBorderColor", "CtrlPaintMode", "CtrlClass",
        "CtrlStyle", "CtrlPosType", "CtrlPos", "CtrlShow", "CtrlText", "CtrlTextOffSet",
        "CtrlTextColor", "CtrlFont", "CtrlFontSize", "CtrlDiscrip"};
    const std::vector<std::string> kStringAttributes = {"StringID", "StringValue"};
    const std::vector<std::string> kStringIDs = {"SEARCH_DEVICE_LIST_ITEM_NAME",
        "SEARCH_DEVICE_LIST_ITEM_IP", "SEARCH_DEVICE_LIST_ITEM_TYPE",
        "SEARCH_DEVICE_LIST_HEADER_FONT_NAME", "SEARCH_DEVICE_LIST_HEADER_FONT_SIZE",
        "SEARCH_DEVICE_LIST_HEADER_FONT_COLOR", "SEARCH_DEVICE_WATI_TIME_WARNING"};

    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(ShippedLayoutPath(GetParam().nNumber).c_str()));
    pugi::xml_node root = document.document_element();
    EXPECT_STREQ(root.name(), "WindowInformation");
    EXPECT_TRUE(AttributeNames(root).empty());
    ASSERT_EQ(ChildNames(root), std::vector<std::string>{"DialogInfo"});

    pugi::xml_node dialog = root.first_child();
    EXPECT_EQ(AttributeNames(dialog), kDialogAttributes);
    std::vector<std::string> dialogChildren = {"Standard"};
    dialogChildren.insert(dialogChildren.end(), 7, "StringInfo");
    ASSERT_EQ(ChildNames(dialog), dialogChildren);

    pugi::xml_node section = dialog.first_child();
    EXPECT_EQ(AttributeNames(section), kSectionAttributes);
    ASSERT_EQ(ChildNames(section), std::vector<std::string>(9, "CtrlInfo"));
    int nID = 2101;
    for (pugi::xml_node control : section.children()) {
        EXPECT_EQ(AttributeNames(control), kControlAttributes);
        EXPECT_EQ(control.attribute("CtrlID").as_int(), nID++);
        EXPECT_TRUE(control.children().begin() == control.children().end());
    }
    std::size_t nString = 0;
    for (pugi::xml_node string : dialog.children("StringInfo")) {
        EXPECT_EQ(AttributeNames(string), kStringAttributes);
        EXPECT_EQ(string.attribute("StringID").value(), kStringIDs[nString++]);
    }
}

TEST_P(LayoutFile, XmllintAcceptsIt)
{
    const std::filesystem::path xmllint = "/usr/bin/xmllint";
    if (!std::filesystem::exists(xmllint))
        GTEST_SKIP() << "xmllint is not installed";
    std::string strPath = ShippedLayoutPath(GetParam().nNumber);
    std::string strProgram = xmllint.string(), strNoOut = "--noout";
    char* argv[] = {strProgram.data(), strNoOut.data(), strPath.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

INSTANTIATE_TEST_SUITE_P(Shipped, LayoutFile, testing::ValuesIn(kVariants),
                         [](const testing::TestParamInfo<Variant>& info) {
                             return std::to_string(info.param.nNumber);
                         });

} // namespace
