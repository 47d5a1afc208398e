// QuillonCore as a program loads it: by path with dlopen, finding its interface by name and
// nothing of its internals.

#include "model/CoreSelfCheck.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct Symbol {
    const char* mangled;
    const char* declaration; // what the mangled name stands for, so a typo cannot pass
};

const Symbol kExported[] = {
    {"_Z13ConvertToIntlRNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE",
     "ConvertToIntl(std::__cxx11::basic_string<char, std::char_traits<char>, "
     "std::allocator<char> >&)"},
    {"_Z14ValidateNumberRNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE",
     "ValidateNumber(std::__cxx11::basic_string<char, std::char_traits<char>, "
     "std::allocator<char> >&)"},
    {"_ZN12CSmsUserInfo11GetUserInfoERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEES7_S7_",
     "CSmsUserInfo::GetUserInfo(std::__cxx11::basic_string<char, std::char_traits<char>, "
     "std::allocator<char> > const&, std::__cxx11::basic_string<char, std::char_traits<char>, "
     "std::allocator<char> > const&, std::__cxx11::basic_string<char, std::char_traits<char>, "
     "std::allocator<char> > const&)"},
    {"_ZN10CSmsConfig11GetInstanceEv", "CSmsConfig::GetInstance()"},
    {"_ZTV12CSmsUserInfo", "vtable for CSmsUserInfo"},
    // Programs catch the service exceptions that the library throws.
    {"_ZTI18CKvwsSoapException", "typeinfo for CKvwsSoapException"},
    {"_ZTI16CKvwsDbException", "typeinfo for CKvwsDbException"},
    {"_Z17RunCoreSelfChecksv", "RunCoreSelfChecks()"},
    {"_Z9GetAppDirB5cxx11PKv", "GetAppDir[abi:cxx11](void const*)"},
};

const Symbol kInternal[] = {
    {"_Z14EncipherBufferPhm", "EncipherBuffer(unsigned char*, unsigned long)"},
    {"_Z14CompressBufferPKhmRSt6vectorIhSaIhEE",
     "CompressBuffer(unsigned char const*, unsigned long, std::vector<unsigned char, "
     "std::allocator<unsigned char> >&)"},
    {"_ZN4Kvws10SoapWriter13BeginEnvelopeEv", "Kvws::SoapWriter::BeginEnvelope()"},
    {"_ZN11CNamedMutex4LockEv", "CNamedMutex::Lock()"},
};

// Demanglers differ in spacing ("> >" or ">>"), so spaces do not count.
std::string WithoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

std::string Demangled(const char* mangled) {
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> text(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 ? WithoutSpaces(text.get()) : std::string();
}

class CoreLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_library = dlopen(QUILLON_CORE_PATH, RTLD_NOW | RTLD_LOCAL); }
    // Unloading runs the library's unload hook (the settings are written) in this process.
    static void TearDownTestSuite() {
        if (s_library)
            dlclose(s_library);
        s_library = nullptr;
    }

    void SetUp() override { ASSERT_NE(s_library, nullptr) << dlerror(); }

    template <class Function> Function Find(const char* mangled) {
        return reinterpret_cast<Function>(dlsym(s_library, mangled));
    }

    static void* s_library;
};

void* CoreLibraryTest::s_library = nullptr;

TEST_F(CoreLibraryTest, ExportsItsInterface) {
    for (const Symbol& symbol : kExported) {
        EXPECT_EQ(Demangled(symbol.mangled), WithoutSpaces(symbol.declaration));
        EXPECT_NE(dlsym(s_library, symbol.mangled), nullptr) << symbol.declaration;
    }
}

TEST_F(CoreLibraryTest, HidesItsInternals) {
    for (const Symbol& symbol : kInternal) {
        EXPECT_EQ(Demangled(symbol.mangled), WithoutSpaces(symbol.declaration));
        EXPECT_EQ(dlsym(s_library, symbol.mangled), nullptr) << symbol.declaration;
    }
}

TEST_F(CoreLibraryTest, FunctionsFoundByNameWork) {
    auto* convert = Find<void (*)(std::string&)>(kExported[0].mangled);
    ASSERT_NE(convert, nullptr);
    std::string number = "0903 123 456";
    convert(number);
    EXPECT_EQ(number, "421903123456");

    // The library's own checks of its ciphers and compression pass on this machine.
    auto* checks = Find<std::vector<SelfCheckResult> (*)()>("_Z17RunCoreSelfChecksv");
    ASSERT_NE(checks, nullptr);
    const std::vector<SelfCheckResult> results = checks();
    EXPECT_EQ(results.size(), 3u);
    for (const SelfCheckResult& result : results)
        EXPECT_TRUE(result.ok) << result.detail;
}

TEST_F(CoreLibraryTest, OwnModuleIsTheLoadedLibrary) {
    auto* appDir = Find<std::string (*)(const void*)>("_Z9GetAppDirB5cxx11PKv");
    ASSERT_NE(appDir, nullptr);
    const std::filesystem::path library = std::filesystem::canonical(QUILLON_CORE_PATH);
    EXPECT_EQ(appDir(nullptr), library.parent_path().string() + "/");
}

} // namespace
