# The commands of the project. Every one installs what it needs first.
MAKEFLAGS += --no-print-directory
.PHONY: all deps build test native-test wine-test bench format fuzz demo clean

all: build

deps:
	@tools/deps.sh

build: deps
	@tools/build.sh

# Native sanitizer tests first, then every test under Wine; fails if either does.
test: deps build
	@status=0; \
	tools/native-tests.sh || status=1; \
	tools/wine-tests.sh || status=1; \
	exit $$status

native-test: deps
	@tools/native-tests.sh

wine-test: build
	@tools/wine-tests.sh

bench: deps build
	@tools/bench.sh

# Every .h and .cpp of setup/, vantra/, tests/ and bench/ through clang-format
# with the committed .clang-format, in place.
format:
	@tools/format.sh

# On demand, not part of test: every fuzz target for FUZZ_SECONDS (default 60).
fuzz: deps
	@tools/fuzz.sh

# The sample package installed under Wine, driven page by page, with pictures
# and a listing of what was installed; DEMO_DISPLAY=:0 to click through by hand.
demo:
	@tools/demo.sh

clean:
	rm -rf out/win32 out/win64 out/native out/fuzz
