// The code of the test DLLs that FileVersionInfo examines; only their version
// blocks differ.
extern "C" __declspec(dllexport) int versionFixture() {
    return 1;
}
