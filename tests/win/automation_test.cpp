// The dialog object through its automation interface: the type information embedded in
// the program, dispatch calls and the values that cross it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/CComDlgEx_h.h"
#include "dialogs/comdlg_automation.h"
#include "platform/com_ptr.h"
#include "test_support.h"

namespace {

std::wstring Text(BSTR s) {
    std::wstring text(s != nullptr ? s : L"", SysStringLen(s));
    SysFreeString(s);
    return text;
}

class AutomationTest : public ProcessTest {
protected:
    void SetUp() override {
        ProcessTest::SetUp();
        ASSERT_EQ(CreateComDlgExObject(ui, object.put()), S_OK);
        ASSERT_EQ(
            object->QueryInterface(__uuidof(ICComDlgEx), reinterpret_cast<void**>(dual.put())),
            S_OK);
    }

    DISPID Id(const wchar_t* name) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << name;
        return id;
    }

    VARIANT Get(DISPID id) {
        DISPPARAMS none{};
        VARIANT result{};
        EXPECT_EQ(
            object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
            S_OK);
        return result;
    }

    void Put(DISPID id, VARIANT value) {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&value, &named, 1, 1};
        EXPECT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                 nullptr),
                  S_OK);
        VariantClear(&value);
    }

    ComPtr<ITypeInfo> Interface() {
        ComPtr<ITypeInfo> dispatch;
        EXPECT_EQ(object->GetTypeInfo(0, 0, dispatch.put()), S_OK);
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> vtable;
        EXPECT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK);
        EXPECT_EQ(dispatch->GetRefTypeInfo(ref, vtable.put()), S_OK);
        return vtable;
    }

    ComPtr<IDispatch> object;
    ComPtr<ICComDlgEx> dual;
};

TEST_F(AutomationTest, MembersComeInDeclaredOrderAfterIDispatch) {
    std::vector<std::wstring> expected;
    for (const wchar_t* field :
         {L"IsDlgLoaded", L"DialogCaption", L"FileTitle", L"Filter", L"FilterIndex", L"InitDir",
          L"Flags", L"hwndOwner", L"FileName", L"DefExt", L"TopFolder", L"SelFolder",
          L"FolderDialogPrompt", L"SelFontColor", L"SelColor"}) {
        expected.push_back(std::wstring(L"get ") + field);
        expected.push_back(std::wstring(L"put ") + field);
    }
    expected.insert(expected.end(), {L"get SelFont", L"put SelFont", L"putref SelFont"});
    for (const wchar_t* method :
         {L"ShowOpFileDlg", L"ShowFileSaveAsDlg", L"ShowFolder", L"ShowChooseColor",
          L"ShowChooseFont", L"fnGetFileTitle", L"fnGetFileName", L"fnExistFile",
          L"VBGetSaveFileName", L"VBChooseColor", L"VBChooseFont", L"StrToBytes", L"BytesToStr",
          L"IsArrayEmpty"}) {
        expected.push_back(std::wstring(L"call ") + method);
    }

    const ComPtr<ITypeInfo> info = Interface();
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    const WORD count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    std::vector<std::wstring> members;
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* func = nullptr;
        ASSERT_EQ(info->GetFuncDesc(i, &func), S_OK);
        BSTR name = nullptr;
        info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr);
        const wchar_t* kind = func->invkind == INVOKE_PROPERTYGET      ? L"get "
                              : func->invkind == INVOKE_PROPERTYPUT    ? L"put "
                              : func->invkind == INVOKE_PROPERTYPUTREF ? L"putref "
                                                                       : L"call ";
        members.push_back(kind + Text(name));
        // One slot each, from the first after IDispatch's seven.
        EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*))) << i;
        if (members.back() == L"get FileName") {
            EXPECT_EQ(func->memid, DISPID_VALUE);
        }
        info->ReleaseFuncDesc(func);
    }
    EXPECT_EQ(members, expected);
}

// Runs again with LC_ALL=ru_RU.UTF-8, where Wine's ANSI code page is 1251.
TEST_F(AutomationTest, DescriptionsReadBackInRussianUnderCp1251) {
    if (GetACP() != 1251) {
        GTEST_SKIP() << "ANSI code page is " << GetACP();
    }
    const std::pair<const wchar_t*, const wchar_t*> described[] = {
        {L"DialogCaption", L"Заголовок окна диалога"},
        {L"FileTitle",
         L"Заголовок файла, т.е. \"короткое\" имя файла  (имя файла с расширением  без указания "
         L"пути к нему)"},
        {L"Filter", L"Список фильтров вывода файлов в диалоговое окно (фильтрация  по расширению)"},
        {L"Flags",
         L"Флажки, отвечающие за внутренние установки диалогового окна (проверка ошибок, "
         L"видимость  кнопок и т.д.)"},
        {L"hwndOwner",
         L"hWnd - окна-владельца. Необходим для \"привязки\"  окна дилога к окну, из которого "
         L"оно вызывается. Если этого не сделать, то появится вредная  возможность открытия "
         L"нескольких диалоговых окон с одинаковым предназначением."},
        {L"FileName",
         L"Полное имя файла (с указанием пути). Необходимо для хранения значения, "
         L"возвращаемого диалоговым  окном. Может быть также устанавлено перед открытием окна "
         L"диалога."},
        {L"ShowOpFileDlg",
         L"Показать  стандартное диалоговое окно, предназначенное для  открытия файла."},
    };
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(object->GetTypeInfo(0, 0, info.put()), S_OK);
    for (const auto& [name, description] : described) {
        BSTR doc = nullptr;
        EXPECT_EQ(info->GetDocumentation(Id(name), nullptr, &doc, nullptr, nullptr), S_OK);
        EXPECT_EQ(Text(doc), description) << name;
    }
    BSTR none = nullptr;
    info->GetDocumentation(Id(L"Filter") + 1, nullptr, &none, nullptr, nullptr);
    EXPECT_EQ(Text(none), L"");  // FilterIndex has none
}

TEST_F(AutomationTest, FieldsCrossDispatchUnchanged) {
    VARIANT name = Get(DISPID_VALUE);  // the default member is FileName
    ASSERT_EQ(name.vt, VT_BSTR);
    EXPECT_EQ(Text(name.bstrVal), L"");

    VARIANT text{};
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"C:\\docs\\a b.txt");
    Put(DISPID_VALUE, text);
    name = Get(Id(L"FileName"));
    EXPECT_EQ(Text(name.bstrVal), L"C:\\docs\\a b.txt");

    VARIANT flags{};
    flags.vt = VT_I4;
    flags.lVal = static_cast<LONG>(0x80001FF);
    Put(Id(L"Flags"), flags);
    const VARIANT flagsBack = Get(Id(L"Flags"));
    EXPECT_EQ(flagsBack.vt, VT_I4);
    EXPECT_EQ(flagsBack.lVal, 0x80001FF);

    VARIANT loaded = Get(Id(L"IsDlgLoaded"));
    EXPECT_EQ(loaded.vt, VT_BOOL);
    EXPECT_EQ(loaded.boolVal, 0);
    loaded.boolVal = VARIANT_TRUE;
    Put(Id(L"IsDlgLoaded"), loaded);
    EXPECT_EQ(Get(Id(L"IsDlgLoaded")).boolVal, -1);
}

TEST_F(AutomationTest, LeftOutArgumentsAndBoundVariables) {
    // VBChooseColor(color): flags and owner left out; the caller's colour is overwritten.
    LONG color = 0x123;
    VARIANT arg{};
    arg.vt = VT_BYREF | VT_I4;
    arg.plVal = &color;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    VARIANT result{};
    ASSERT_EQ(object->Invoke(Id(L"VBChooseColor"), IID_NULL, 0, DISPATCH_METHOD, &params, &result,
                             nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_FALSE);
    EXPECT_EQ(color, -1);
    ASSERT_EQ(ui.colorDialogs.size(), 1u);
    EXPECT_EQ(ui.colorDialogs[0].flags, 0u);
    EXPECT_EQ(ui.colorDialogs[0].rgbResult, 0x123u);

    // VBChooseColor(color, flags) with flags a variant variable of the caller's.
    VARIANT flags{};
    flags.vt = VT_I4;
    flags.lVal = 0x1FF;
    VARIANT args[2]{};  // in reverse order
    args[0].vt = VT_BYREF | VT_VARIANT;
    args[0].pvarVal = &flags;
    args[1] = arg;
    DISPPARAMS two{args, nullptr, 2, 0};
    ui.colorAnswers.push_back({true, 0x456, 0x3});
    ASSERT_EQ(object->Invoke(Id(L"VBChooseColor"), IID_NULL, 0, DISPATCH_METHOD, &two, &result,
                             nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
    EXPECT_EQ(ui.colorDialogs[1].flags, 0xFu);
    EXPECT_EQ(color, 0x456);
    EXPECT_EQ(flags.vt, VT_I4);
    EXPECT_EQ(flags.lVal, 3);
}

TEST_F(AutomationTest, ByteArraysCrossAsSafeArrays) {
    SAFEARRAY* unsized = nullptr;
    VARIANT_BOOL empty = 0;
    EXPECT_EQ(dual->IsArrayEmpty(&unsized, &empty), S_OK);
    EXPECT_EQ(empty, VARIANT_TRUE);
    BSTR abc = SysAllocString(L"abc");
    EXPECT_EQ(dual->StrToBytes(&unsized, &abc), S_OK);
    ASSERT_NE(unsized, nullptr);
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(unsized, 1, &lower);
    SafeArrayGetUBound(unsized, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 2);
    EXPECT_EQ(Text(abc), L"abc");
    SafeArrayDestroy(unsized);

    SAFEARRAY* one = SafeArrayCreateVector(VT_UI1, 1, 1);
    EXPECT_EQ(dual->IsArrayEmpty(&one, &empty), S_OK);
    EXPECT_EQ(empty, VARIANT_FALSE);
    SafeArrayDestroy(one);

    SAFEARRAY* face = SafeArrayCreateVector(VT_UI1, 0, 32);
    BSTR arial = SysAllocString(L"Arial");
    EXPECT_EQ(dual->StrToBytes(&face, &arial), S_OK);
    const std::wstring padded = L"Arial" + std::wstring(27, L'\0');
    EXPECT_EQ(Text(arial), padded);
    BSTR back = nullptr;
    EXPECT_EQ(dual->BytesToStr(&face, &back), S_OK);
    EXPECT_EQ(Text(back), padded);
    SafeArrayDestroy(face);
}

}  // namespace
