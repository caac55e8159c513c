# Kobrix: one-command entry points. See README.md.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test test-plain test-sanitizers test-windows windows windows-screenshots bench bench-large screenshots fuzz install package clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/kobrix

# The whole suite, then the whole suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any sanitizer report fails the run. Then the
# Windows layer's tests, cross-built and run under Wine. The sanitizers' build
# keeps line tables only (-g1): its reports name file and line, and it
# builds a fifth faster than with full debugging information.
test: test-plain test-sanitizers test-windows

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

SAN_BUILD ?= build-sanitizers
SAN_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
test-sanitizers: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
	  -DCMAKE_CXX_FLAGS="$(SAN_FLAGS) -O1" -DCMAKE_EXE_LINKER_FLAGS="$(SAN_FLAGS)"
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The Windows layer (src/win32) and its tests, cross-compiled with
# MinGW-w64 and run under Wine in a fresh prefix with a mapped CD-ROM drive.
WIN_BUILD ?= $(BUILD)/windows
test-windows:
	@scripts/install-deps --windows
	cmake -S tests/windows -B $(WIN_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tests/windows/mingw-w64-posix.cmake
	cmake --build $(WIN_BUILD) -j $(JOBS)
	tests/windows/run_under_wine.sh $(WIN_BUILD)

# The whole program for 64-bit Windows: Qt's qtbase and libarchive
# cross-built once from Debian's sources into ~/.cache/kobrix/qt6-mingw
# (KOBRIX_QT_MINGW; some 45 minutes on two cores), then kobrix.exe and
# kobrix-cli.exe with their DLLs in a zip under $(BUILD)/windows-app, tried
# under Wine: the core suites and the worked example. Not part of `make test`.
windows:
	JOBS=$(JOBS) scripts/build-windows $(BUILD)

# Pictures of kobrix.exe under Wine on a virtual display, with D: a CD-ROM
# drive: into screenshots/windows/. Needs `make windows` first.
windows-screenshots:
	scripts/windows-screenshots $(BUILD)

# Coverage-guided fuzzing of the catalog reader, of the walk's name handling,
# of the disc images' Rock Ridge reader, their quick reader and their label reader, FUZZ_SECONDS per target,
# starting from the seeds in tests/fuzz.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOBRIX_FUZZ=ON \
	  -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_catalog_reader fuzz_names fuzz_plainimage fuzz_rockridge fuzz_volumelabel
	for t in catalog_reader:catalog names:names plainimage:plainimage rockridge:rockridge volumelabel:volumelabel; do \
	  name=$${t%%:*}; seeds=$${t##*:}; \
	  mkdir -p $(FUZZ_BUILD)/corpus-$$name && \
	  $(FUZZ_BUILD)/tests/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	    $(FUZZ_BUILD)/corpus-$$name tests/fuzz/corpus/$$seeds || exit 1; \
	done

# Four 1,000,000-line catalogs (ASCII, accented Latin, Cyrillic, Japanese)
# and a tree; bench-large adds a 10,000,000-line catalog for the windows.
bench: build
	@scripts/install-deps --bench
	scripts/bench $(BUILD)

bench-large: build
	@scripts/install-deps --bench
	scripts/bench $(BUILD) large

screenshots: build
	scripts/screenshots $(BUILD)

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of both programs and their desktop files.
package: build
	cd $(BUILD) && cpack -G DEB
	@ls -1 $(BUILD)/*.deb

clean:
	rm -rf $(BUILD)
