// The dialog object through its automation interface: the type information embedded in
// the program, dispatch calls and the values that cross it.
#include <gtest/gtest.h>

#include <cderr.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/CComDlgEx_h.h"
#include "dialogs/comdlg_automation.h"
#include "fake_font.h"
#include "platform/com_ptr.h"
#include "test_support.h"

namespace {

std::wstring Text(BSTR s) {
    std::wstring text(s != nullptr ? s : L"", SysStringLen(s));
    SysFreeString(s);
    return text;
}

// Values as a caller hands them over: plain, left out, or bound to its own variable.
VARIANT Value(VARTYPE type, double number) {
    VARIANT v{};
    v.vt = VT_R8;
    v.dblVal = number;
    EXPECT_EQ(VariantChangeType(&v, &v, 0, type), S_OK);
    return v;
}
VARIANT Str(const wchar_t* text) {
    VARIANT v{};
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}
VARIANT Dispatch(IDispatch* object) {
    VARIANT v{};
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    return v;
}
VARIANT Missing() {
    VARIANT v{};
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}
VARIANT RefTo(VARIANT& variable) {
    VARIANT ref{};
    ref.vt = VT_BYREF | variable.vt;
    ref.byref = &variable.llVal;
    return ref;
}
// A value as the caller would print it.
std::wstring Shown(VARIANT& v) {
    VARIANT text{};
    EXPECT_EQ(VariantChangeType(&text, &v, 0, VT_BSTR), S_OK);
    return Text(text.bstrVal);
}

class AutomationTest : public ProcessTest {
protected:
    void SetUp() override {
        ProcessTest::SetUp();
        Fresh();
    }

    void Fresh() {
        dual.reset();
        object.reset();
        ASSERT_EQ(CreateComDlgExObject(ui, object.put()), S_OK);
        ASSERT_EQ(
            object->QueryInterface(__uuidof(ICComDlgEx), reinterpret_cast<void**>(dual.put())),
            S_OK);
    }

    // A method called through IDispatch with its arguments in order.
    HRESULT Call(const wchar_t* member, std::vector<VARIANT> args, EXCEPINFO* exception = nullptr) {
        std::reverse(args.begin(), args.end());
        return CallReversed(member, args, exception);
    }
    // The same on the caller's own array, last argument first, for it to look at after.
    HRESULT CallReversed(const wchar_t* member, std::vector<VARIANT>& args,
                         EXCEPINFO* exception = nullptr) {
        DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        VARIANT result{};
        const HRESULT hr = object->Invoke(Id(member), IID_NULL, 0, DISPATCH_METHOD, &params,
                                          &result, exception, nullptr);
        VariantClear(&result);
        return hr;
    }

    void PutText(const wchar_t* field, const std::wstring& text) {
        VARIANT v{};
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        Put(Id(field), v);
    }
    std::wstring GetText(const wchar_t* field) {
        VARIANT v = Get(Id(field));
        EXPECT_EQ(v.vt, VT_BSTR);
        return Text(v.bstrVal);
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

// Runs again under code page 1251, where the Cyrillic reaches the dialogs whole.
TEST_F(AutomationTest, TextFieldsKeepWhatWasWrittenUnderAnyAnsiCodePage) {
    const std::wstring written = L"C:\\Документы\\日本\\Ünï code.txt";
    for (const wchar_t* field : {L"DialogCaption", L"FileTitle", L"Filter", L"InitDir", L"FileName",
                                 L"DefExt", L"TopFolder", L"SelFolder", L"FolderDialogPrompt"}) {
        PutText(field, written);
        EXPECT_EQ(GetText(field), written) << field;
    }
    // The dialog gets the ANSI form; its results replace the fields it answers.
    VARIANT_BOOL shown = VARIANT_TRUE;
    ASSERT_EQ(dual->ShowFileSaveAsDlg(&shown), S_OK);
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, written.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
    EXPECT_EQ(ui.fileDialogs.back().title, ansi);
    EXPECT_EQ(GetText(L"FileName"), L"");
    EXPECT_EQ(GetText(L"InitDir"), written);
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
    const BSTR given = abc;
    EXPECT_EQ(dual->StrToBytes(&unsized, &abc), S_OK);
    EXPECT_EQ(abc, given);  // not written back
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
    // The caller's text is padded as written, whatever the code page makes of its bytes.
    BSTR cyrillic = SysAllocString(L"Привет");
    EXPECT_EQ(dual->StrToBytes(&face, &cyrillic), S_OK);
    EXPECT_EQ(Text(cyrillic), L"Привет" + std::wstring(26, L'\0'));
    SafeArrayDestroy(face);

    // A text at least as long as the array is left unwritten.
    SAFEARRAY* three = SafeArrayCreateVector(VT_UI1, 0, 3);
    BSTR longer = SysAllocString(L"Привет");
    const BSTR longerGiven = longer;
    EXPECT_EQ(dual->StrToBytes(&three, &longer), S_OK);
    EXPECT_EQ(longer, longerGiven);
    EXPECT_EQ(Text(longer), L"Привет");
    SafeArrayDestroy(three);
}

// Any array but a one-dimensional one of VT_UI1 bytes is refused before it is read or
// written; a null one is an array never sized.
TEST_F(AutomationTest, ByteHelpersTakeOnlyOneDimensionalByteArrays) {
    const auto grid = [](VARTYPE type, ULONG rows, ULONG columns) {
        SAFEARRAYBOUND bounds[2] = {{rows, 0}, {columns, 0}};
        return SafeArrayCreate(type, 2, bounds);
    };
    const auto wideBytes = [] {  // a descriptor of VT_UI1 that claims 4-byte elements
        SAFEARRAY* array = nullptr;
        EXPECT_EQ(SafeArrayAllocDescriptorEx(VT_UI1, 1, &array), S_OK);
        array->cbElements = 4;
        array->rgsabound[0] = {3, 0};
        EXPECT_EQ(SafeArrayAllocData(array), S_OK);
        return array;
    };
    const HRESULT kMismatch = static_cast<HRESULT>(0x800A000D);
    const struct {
        const char* what;
        SAFEARRAY* array;
        HRESULT answer;
        VARIANT_BOOL empty;
    } rows[] = {
        {"never sized", nullptr, S_OK, VARIANT_TRUE},
        {"bytes, no elements", SafeArrayCreateVector(VT_UI1, 0, 0), S_OK, VARIANT_TRUE},
        {"bytes, one element", SafeArrayCreateVector(VT_UI1, 0, 1), S_OK, VARIANT_FALSE},
        {"VT_I4", SafeArrayCreateVector(VT_I4, 0, 3), kMismatch, 0},
        {"VT_I4, no elements", SafeArrayCreateVector(VT_I4, 0, 0), kMismatch, 0},
        {"signed bytes", SafeArrayCreateVector(VT_I1, 0, 3), kMismatch, 0},
        {"strings", SafeArrayCreateVector(VT_BSTR, 0, 2), kMismatch, 0},
        {"bytes in two dimensions", grid(VT_UI1, 2, 3), kMismatch, 0},
        {"two dimensions, no elements", grid(VT_UI1, 0, 0), kMismatch, 0},
        {"bytes 4 wide", wideBytes(), kMismatch, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        SAFEARRAY* array = row.array;
        VARIANT_BOOL empty = 0;
        EXPECT_EQ(dual->IsArrayEmpty(&array, &empty), row.answer);
        EXPECT_EQ(empty, row.empty);
        BSTR text = nullptr;
        EXPECT_EQ(dual->BytesToStr(&array, &text), row.answer);
        SysFreeString(text);
        BSTR s = SysAllocString(L"abcdefghijklmnop");
        const BSTR given = s;
        EXPECT_EQ(dual->StrToBytes(&array, &s), row.answer);
        if (row.answer != S_OK) {  // neither the array nor the text is touched
            EXPECT_EQ(array, row.array);
            EXPECT_EQ(s, given);
            void* data = nullptr;
            ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
            const ULONG size =
                array->cbElements *
                (array->cDims == 1 ? array->rgsabound[0].cElements
                                   : array->rgsabound[0].cElements * array->rgsabound[1].cElements);
            EXPECT_EQ(std::string(static_cast<const char*>(data), size), std::string(size, '\0'));
            SafeArrayUnaccessData(array);
        }
        SysFreeString(s);
        SafeArrayDestroy(array);
    }
}

// The caller owns what it passes by value: results go to its variables only.
TEST_F(AutomationTest, ByValueArgumentsAreNeverWrittenOrFreed) {
    FakeFont* fake = nullptr;
    const ComPtr<IFontDisp> font = FakeFont::Make(fake);
    BSTR name = SysAllocString(L"old.txt");
    VARIANT nameRef{};
    nameRef.vt = VT_BYREF | VT_BSTR;
    nameRef.pbstrVal = &name;
    const struct {
        const wchar_t* member;
        std::vector<VARIANT> args;  // in order
        std::function<void()> answer;
    } rows[] = {
        {L"VBChooseColor",
         {Str(L"5"), Str(L"7")},
         [&] {
             ui.colorAnswers.push_back({true, 0x123456, 3});
         }},
        {L"VBChooseColor", {Str(L"5"), Str(L"7")}, [] {}},  // Cancel: -1 and 0
        {L"VBGetSaveFileName",
         {nameRef, Str(L"title"), Str(L"4")},
         [&] {
             ui.fileAnswers.push_back({true, dir / "new.txt", "new.txt", 6});
         }},
        {L"VBChooseFont",
         {Dispatch(font.get()), Str(L"0"), Missing(), Missing(), Str(L"255")},
         [&] {
             FontDialogAnswer answer{true};
             answer.flags = 0x141;
             answer.color = 0xFF;
             ui.fontAnswers.push_back(answer);
         }},
        {L"VBChooseFont", {Dispatch(font.get()), Str(L"0")}, [] {}},  // Cancel
    };
    for (const auto& row : rows) {
        std::vector<VARIANT> args(row.args.rbegin(), row.args.rend());
        std::vector<std::pair<BSTR, std::wstring>> given;
        for (const VARIANT& v : args) {
            given.emplace_back(v.vt == VT_BSTR ? v.bstrVal : nullptr,
                               v.vt == VT_BSTR ? v.bstrVal : L"");
        }
        row.answer();
        EXPECT_EQ(CallReversed(row.member, args), S_OK);
        for (size_t i = 0; i < args.size(); ++i) {
            if (given[i].first != nullptr) {
                ASSERT_EQ(args[i].vt, VT_BSTR);
                EXPECT_EQ(args[i].bstrVal, given[i].first);
                EXPECT_EQ(std::wstring(args[i].bstrVal), given[i].second);
                VariantClear(&args[i]);
            }
        }
    }
    const std::string path = dir / "new.txt";
    EXPECT_EQ(Text(name), std::wstring(path.begin(), path.end()));  // by reference: written
}

TEST_F(AutomationTest, RaisedErrorsReachInvokeAsExceptions) {
    FakeFont* fake = nullptr;
    const ComPtr<IFontDisp> font = FakeFont::Make(fake);
    const struct {
        const char* what;
        std::function<HRESULT(EXCEPINFO*)> call;
        HRESULT scode;
        const wchar_t* description;  // null: any
    } rows[] = {
        {"no font object", [&](EXCEPINFO* ex) { return Call(L"ShowChooseFont", {}, ex); },
         static_cast<HRESULT>(0x800A005B), L"Object variable or With block variable not set"},
        {"printer fonts and no printer",
         [&](EXCEPINFO* ex) {
             ui.printerError = PDERR_NODEFAULTPRN;
             return Call(L"VBChooseFont", {Dispatch(font.get()), Value(VT_I4, CF_PRINTERFONTS)},
                         ex);
         },
         static_cast<HRESULT>(0x800A01E2), L"Printer error"},
        {"a name too long",
         [&](EXCEPINFO* ex) {
             PutText(L"FileName", std::wstring(260, L'n'));
             return Call(L"ShowFileSaveAsDlg", {}, ex);
         },
         static_cast<HRESULT>(0x800A0005), L"FileName must be shorter than 260 characters"},
        {"a filter too long",
         [&](EXCEPINFO* ex) {
             PutText(L"Filter", std::wstring(32768, L'|'));
             return Call(L"ShowOpFileDlg", {}, ex);
         },
         static_cast<HRESULT>(0x800A0006), nullptr},
        {"a colour that is no number",
         [&](EXCEPINFO* ex) { return Call(L"VBChooseColor", {Str(L"red")}, ex); },
         static_cast<HRESULT>(0x800A000D), L"Type mismatch"},
        {"flags out of range",
         [&](EXCEPINFO* ex) {
             return Call(L"VBChooseColor", {Value(VT_I4, 0), Value(VT_R8, 1e10)}, ex);
         },
         static_cast<HRESULT>(0x800A0006), L"Overflow"},
        {"the font object's own failure",
         [&](EXCEPINFO* ex) {
             fake->failure = DISP_E_MEMBERNOTFOUND;
             EXPECT_EQ(dual->putref_SelFont(font.get()), S_OK);
             return Call(L"ShowChooseFont", {}, ex);
         },
         DISP_E_MEMBERNOTFOUND, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Fresh();
        EXCEPINFO ex{};
        EXPECT_EQ(row.call(&ex), DISP_E_EXCEPTION);
        EXPECT_EQ(ex.scode, row.scode);
        const std::wstring description = Text(ex.bstrDescription);
        if (row.description != nullptr) {
            EXPECT_EQ(description, row.description);
        } else {
            EXPECT_NE(description, L"");
        }
        SysFreeString(ex.bstrSource);
        SysFreeString(ex.bstrHelpFile);
    }
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_TRUE(ui.colorDialogs.empty());
    EXPECT_TRUE(ui.fontDialogs.empty());
}

// The colour dialog answers 0x123456 (1193046) and flags 3, or Cancel (-1 and 0).
TEST_F(AutomationTest, ResultsFitTheCallersVariablesOrNoneIsWritten) {
    struct {
        const char* what;
        VARIANT color, flags;
        bool confirm;
        HRESULT scode;
        const wchar_t *colorAfter, *flagsAfter;
    } rows[] = {
        {"long and integer", Value(VT_I4, 5), Value(VT_I2, 0x1FF), true, S_OK, L"1193046", L"3"},
        {"single and byte", Value(VT_R4, 5), Value(VT_UI1, 7), true, S_OK, L"1193046", L"3"},
        {"currency and text", Value(VT_CY, 5), Value(VT_BSTR, 4), true, S_OK, L"1193046", L"3"},
        {"colour too big for an integer", Value(VT_I2, 5), Value(VT_I4, 4), true,
         static_cast<HRESULT>(0x800A0006), L"5", L"4"},
        {"Cancel's -1 in a byte", Value(VT_UI1, 5), Value(VT_I4, 4), false,
         static_cast<HRESULT>(0x800A0006), L"5", L"4"},
    };
    for (auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.confirm) {
            ui.colorAnswers.push_back({true, 0x123456, 3});
        }
        EXCEPINFO ex{};
        EXPECT_EQ(Call(L"VBChooseColor", {RefTo(row.color), RefTo(row.flags)}, &ex),
                  row.scode == S_OK ? S_OK : DISP_E_EXCEPTION);
        EXPECT_EQ(ex.scode, row.scode);
        SysFreeString(ex.bstrDescription);
        EXPECT_EQ(Shown(row.color), row.colorAfter);
        EXPECT_EQ(Shown(row.flags), row.flagsAfter);
        VariantClear(&row.flags);
    }

    // A name into a number variable: nothing of the save dialog's results is written.
    BSTR name = SysAllocString(L"old.txt");
    VARIANT nameRef{};
    nameRef.vt = VT_BYREF | VT_BSTR;
    nameRef.pbstrVal = &name;
    VARIANT title = Value(VT_I4, 0);
    VARIANT flags = Value(VT_I4, 4);
    ui.fileAnswers.push_back({true, dir / "new.txt", "new.txt", 6});
    EXCEPINFO ex{};
    EXPECT_EQ(Call(L"VBGetSaveFileName", {nameRef, RefTo(title), RefTo(flags)}, &ex),
              DISP_E_EXCEPTION);
    EXPECT_EQ(ex.scode, static_cast<HRESULT>(0x800A000D));
    SysFreeString(ex.bstrDescription);
    EXPECT_EQ(Text(name), L"old.txt");
    EXPECT_EQ(title.lVal, 0);
    EXPECT_EQ(flags.lVal, 4);
}

TEST_F(AutomationTest, FontDialogResultsAreCheckedBeforeTheFontChanges) {
    FakeFont* fake = nullptr;
    const ComPtr<IFontDisp> font = FakeFont::Make(fake);
    // Cancel: the normalised flags come back, the colour is left alone.
    VARIANT flags = Value(VT_I4, 0);
    VARIANT color = Value(VT_R8, 255.5);
    EXPECT_EQ(Call(L"VBChooseFont",
                   {Dispatch(font.get()), RefTo(flags), Missing(), Missing(), RefTo(color)}),
              S_OK);
    EXPECT_EQ(flags.lVal, 0x141);
    EXPECT_EQ(color.dblVal, 255.5);

    FontDialogAnswer answer{true};
    answer.flags = 0x1141;
    answer.color = 0xFF0000;
    ui.fontAnswers.push_back(answer);
    flags.lVal = 0;
    VARIANT small = Value(VT_I2, 1);
    EXCEPINFO ex{};
    EXPECT_EQ(Call(L"VBChooseFont",
                   {Dispatch(font.get()), RefTo(flags), Missing(), Missing(), RefTo(small)}, &ex),
              DISP_E_EXCEPTION);
    EXPECT_EQ(ex.scode, static_cast<HRESULT>(0x800A0006));
    SysFreeString(ex.bstrDescription);
    EXPECT_TRUE(fake->puts.empty());
    EXPECT_EQ(flags.lVal, 0);
    EXPECT_EQ(small.iVal, 1);
}

TEST_F(AutomationTest, LettingGoInsideADialogFreesNothingInUse) {
    bool fontGone = false;
    {
        FakeFont* fake = nullptr;
        const ComPtr<IFontDisp> font = FakeFont::Make(fake);
        fake->released = &fontGone;
        ASSERT_EQ(dual->putref_SelFont(font.get()), S_OK);
    }
    ui.fontAnswers.push_back(FontDialogAnswer{true});
    const DISPID show = Id(L"ShowChooseFont");
    IDispatch* const raw = object.get();
    bool goneInside = true;
    ULONG left = 0;
    ui.duringDialog = [&] {
        dual->putref_SelFont(nullptr);
        goneInside = fontGone;
        dual.reset();
        left = object.detach()->Release();
    };
    DISPPARAMS none{};
    VARIANT result{};
    EXPECT_EQ(raw->Invoke(show, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
    EXPECT_FALSE(goneInside);
    EXPECT_GT(left, 0u);
    EXPECT_TRUE(fontGone);  // once the call is over

    // The same through the interface's own slots.
    Fresh();
    ICComDlgEx* const rawDual = dual.get();
    ui.duringDialog = [&] {
        object.reset();
        left = dual.detach()->Release();
    };
    VARIANT_BOOL chosen = VARIANT_TRUE;
    EXPECT_EQ(rawDual->ShowFolder(&chosen), S_OK);
    EXPECT_EQ(chosen, VARIANT_FALSE);
    EXPECT_GT(left, 0u);
    ui.duringDialog = nullptr;
}

TEST_F(AutomationTest, NullPointersAreRefused) {
    ICComDlgEx* const d = dual.get();
    for (auto get : {&ICComDlgEx::get_DialogCaption, &ICComDlgEx::get_FileTitle,
                     &ICComDlgEx::get_Filter, &ICComDlgEx::get_InitDir, &ICComDlgEx::get_FileName,
                     &ICComDlgEx::get_DefExt, &ICComDlgEx::get_TopFolder,
                     &ICComDlgEx::get_SelFolder, &ICComDlgEx::get_FolderDialogPrompt}) {
        EXPECT_EQ((d->*get)(nullptr), E_POINTER);
    }
    for (auto get :
         {&ICComDlgEx::get_FilterIndex, &ICComDlgEx::get_Flags, &ICComDlgEx::get_hwndOwner,
          &ICComDlgEx::get_SelFontColor, &ICComDlgEx::get_SelColor}) {
        EXPECT_EQ((d->*get)(nullptr), E_POINTER);
    }
    for (auto call :
         {&ICComDlgEx::get_IsDlgLoaded, &ICComDlgEx::ShowOpFileDlg, &ICComDlgEx::ShowFileSaveAsDlg,
          &ICComDlgEx::ShowFolder, &ICComDlgEx::ShowChooseColor, &ICComDlgEx::ShowChooseFont}) {
        EXPECT_EQ((d->*call)(nullptr), E_POINTER);
    }
    BSTR path = SysAllocString(L"C:\\a.txt");
    BSTR text = nullptr;
    VARIANT color = Value(VT_I4, 0);
    VARIANT_BOOL flag = 0;
    SAFEARRAY* array = nullptr;
    EXPECT_EQ(d->get_SelFont(nullptr), E_POINTER);
    EXPECT_EQ(d->fnGetFileTitle(path, nullptr), E_POINTER);
    EXPECT_EQ(d->fnGetFileName(path, nullptr), E_POINTER);
    EXPECT_EQ(d->fnExistFile(path, nullptr), E_POINTER);
    EXPECT_EQ(d->VBGetSaveFileName(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, &flag),
              E_POINTER);
    EXPECT_EQ(d->VBGetSaveFileName(&path, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr),
              E_POINTER);
    EXPECT_EQ(d->VBChooseColor(nullptr, nullptr, nullptr, &flag), E_POINTER);
    EXPECT_EQ(d->VBChooseColor(&color, nullptr, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(
        d->VBChooseFont(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
        E_POINTER);
    EXPECT_EQ(d->StrToBytes(nullptr, &path), E_POINTER);
    EXPECT_EQ(d->StrToBytes(&array, nullptr), E_POINTER);
    EXPECT_EQ(d->BytesToStr(nullptr, &text), E_POINTER);
    EXPECT_EQ(d->BytesToStr(&array, nullptr), E_POINTER);
    EXPECT_EQ(d->IsArrayEmpty(nullptr, &flag), E_POINTER);
    EXPECT_EQ(d->IsArrayEmpty(&array, nullptr), E_POINTER);
    EXPECT_EQ(d->GetTypeInfoCount(nullptr), E_POINTER);
    EXPECT_EQ(d->GetTypeInfo(0, 0, nullptr), E_POINTER);
    SysFreeString(path);
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_TRUE(ui.colorDialogs.empty());
    EXPECT_TRUE(ui.folderDialogs.empty());
}

}  // namespace
