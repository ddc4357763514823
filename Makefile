# make run   - install what is missing, build (Release) and start the program
# make test  - install what is missing, build (Debug, sanitizers) and run every test
# make check - the unit tests only, the quick loop while working
# make bench - start-up, memory, idle CPU, countdown accuracy and clock-time watch figures
# make soak  - everything ticking for SOAK_SECONDS (600) on a virtual display: memory, CPU, watch seconds
# make package - a Debian package of the Release build (build/release/morvane_*.deb), checked by lintian
# make lint  - clang-tidy over src/ and its headers (checks and reasons in .clang-tidy) and the format
#              check; it needs the debug build configured, not built
# make fuzz  - the fuzz target (clang, libFuzzer, ASan + UBSan) for FUZZ_SECONDS (300)
# make fuzz-merge - minimises the corpus that fuzz runs found into fuzz/corpus
# make windows - the Windows program folder, cross-built with MinGW-w64 (build/windows/Morvane)
# make windows-package - its installer (build/windows/morvane-1.0-setup.exe), signed when
#                         MORVANE_SIGN_PFX and MORVANE_SIGN_PASSWORD are set

RELEASE := build/release
SOAK_SECONDS ?= 600
DEBUG := build/debug
FUZZ := build/fuzz
FUZZ_SECONDS ?= 300
WINDOWS := build/windows

.PHONY: run test check bench benches soak package lint deps release debug fuzz fuzz-build fuzz-merge format-check clean \
	windows windows-package windows-deps windows-configure windows-test test-windows-if-possible

deps:
	@scripts/install-deps

# The builds are CMakePresets.json's: `cmake --preset debug` and so on work the same.
release: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

# The Release build with the benches (bench/), which no other build makes.
benches: deps
	@cmake --preset release -DMORVANE_BENCHES=ON >/dev/null
	@cmake --build --preset release

debug: deps
	@cmake --preset debug >/dev/null
	@cmake --build --preset debug

run: release
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are unset). Start it from a desktop session," >&2; \
		echo "or under a virtual one: xvfb-run -a $(RELEASE)/src/morvane" >&2; \
		exit 1; \
	fi
	$(RELEASE)/src/morvane

# Built apart, with clang: only the program's libraries and the fuzz target.
fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

# The unit tests alone.
check: debug
	@ctest --preset unit

# The tests, then a 60-second fuzz run, then the Windows part where Qt for MinGW is at hand.
test: debug fuzz-build
	ctest --preset all
	@scripts/fuzz $(FUZZ)/fuzz/morvane_fuzz 60
	@$(MAKE) --no-print-directory test-windows-if-possible

# CI must run the Windows part; elsewhere, without the toolchain, it is skipped with a word on
# how to get it, and its packages are not installed.
test-windows-if-possible:
	@if scripts/windows-toolchain --find >/dev/null 2>&1; then \
		start=$$(date +%s); \
		$(MAKE) --no-print-directory windows-test || exit 1; \
		echo "make test: the Windows part took $$(( $$(date +%s) - start )) s"; \
	elif [ -n "$$CI" ]; then \
		echo "make test: CI runs the Windows part, and Qt for MinGW is missing:" >&2; \
		scripts/windows-toolchain --find; exit 1; \
	else \
		echo "make test: the Windows part was skipped: $$(scripts/windows-toolchain --find 2>&1 | tr '\n' ' ')"; \
	fi

# Windows, cross-built with MinGW-w64 against Qt for MinGW (scripts/windows-toolchain finds it;
# QT_MINGW_DIR names its folder) and run under Wine.
windows-deps:
	@scripts/install-deps --windows

windows-configure: windows-deps
	@qt=$$(scripts/windows-toolchain) && cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$$qt/mingw-w64-x86_64.cmake \
		-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/scripts/wine-run >/dev/null

windows: windows-configure
	@cmake --build $(WINDOWS) --target windows_folder
	@echo "$(WINDOWS)/Morvane: $$(du -sh --apparent-size $(WINDOWS)/Morvane | cut -f1)," \
		"morvane.exe $$(du -h --apparent-size $(WINDOWS)/Morvane/morvane.exe | cut -f1)"

# Signed when MORVANE_SIGN_PFX and MORVANE_SIGN_PASSWORD are set (README.md, "Signing a release"):
# an installer made with another choice than the last is made again.
windows-package: windows-configure
	@signing="$${MORVANE_SIGN_PFX:+signed with $$(realpath "$$MORVANE_SIGN_PFX")}"; \
	if [ "$$(cat $(WINDOWS)/installer-signing 2>/dev/null)" != "$$signing" ]; then \
		rm -f $(WINDOWS)/morvane-*-setup.exe; echo "$$signing" > $(WINDOWS)/installer-signing; fi
	@cmake --build $(WINDOWS) --target windows_installer
	@for setup in $(WINDOWS)/morvane-*-setup.exe; do echo "$$setup: $$(du -h --apparent-size $$setup | cut -f1)"; done

# The same unit tests under Wine with the offscreen platform, the same scenarios under Wine on
# a virtual X server, and the installer.
windows-test: windows-configure
	@cmake --build $(WINDOWS)
	cd $(WINDOWS) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

fuzz: fuzz-build
	@scripts/fuzz $(FUZZ)/fuzz/morvane_fuzz $(FUZZ_SECONDS)

fuzz-merge: fuzz-build
	@scripts/fuzz --merge $(FUZZ)/fuzz/morvane_fuzz

# The package, then lintian (where installed): any error or warning fails.
package: release
	@rm -f $(RELEASE)/morvane_*.deb
	cd $(RELEASE) && cpack -G DEB
	@if command -v lintian >/dev/null; then \
		lintian --fail-on error,warning $(RELEASE)/morvane_*.deb && echo "lintian: no errors or warnings"; \
	else echo "make package: lintian is not installed, the package is not checked" >&2; fi

bench: benches
	bench/run-benches $(RELEASE)

soak: benches
	bench/run-soak $(RELEASE) $(SOAK_SECONDS)

# clang-tidy reads only the compile commands: configuring the build is enough, nothing is
# compiled first. Each source file is checked with the headers of ours it includes.
lint: deps
	@cmake --preset debug >/dev/null
	@run-clang-tidy -quiet -p $(DEBUG) -j2 -header-filter='$(CURDIR)/src/.*' '$(CURDIR)/src/.*\.cpp$$' \
		> $(DEBUG)/lint.log 2>&1 || \
		{ grep -E 'error|warning|note' $(DEBUG)/lint.log; echo "make lint: clang-tidy found problems" >&2; exit 1; }
	@echo "clang-tidy: clean"
	@$(MAKE) --no-print-directory format-check

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
