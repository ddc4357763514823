# make run   - install what is missing, build (Release) and start the program
# make test  - install what is missing, build (Debug, sanitizers) and run every test
# make bench - start-up, memory, idle CPU, countdown accuracy and clock-time watch figures
# make soak  - everything ticking for SOAK_SECONDS (600) on a virtual display: memory, CPU, watch seconds
# make package - a Debian package of the Release build (build/release/morvane_*.deb), checked by lintian
# make lint  - clang-tidy over src/ (checks and reasons in .clang-tidy) and the format check
# make fuzz  - the fuzz target (clang, libFuzzer, ASan + UBSan) for FUZZ_SECONDS (300)
# make fuzz-merge - minimises the corpus that fuzz runs found into fuzz/corpus

RELEASE := build/release
SOAK_SECONDS ?= 600
DEBUG := build/debug
FUZZ := build/fuzz
FUZZ_SECONDS ?= 300

.PHONY: run test bench soak package lint deps release debug fuzz fuzz-build fuzz-merge format-check clean

deps:
	@scripts/install-deps

release: deps
	@cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE)

debug: deps
	@cmake -S . -B $(DEBUG) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON >/dev/null
	@cmake --build $(DEBUG)

run: release
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are unset). Start it from a desktop session," >&2; \
		echo "or under a virtual one: xvfb-run -a $(RELEASE)/src/morvane" >&2; \
		exit 1; \
	fi
	$(RELEASE)/src/morvane

# Built apart, with clang: only the program's libraries and the fuzz target.
fuzz-build: deps
	@cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DMORVANE_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ)

# The tests, then a 60-second fuzz run.
test: debug fuzz-build
	cd $(DEBUG) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300
	@scripts/fuzz $(FUZZ)/fuzz/morvane_fuzz 60

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

bench: release
	bench/run-benches $(RELEASE)

soak: release
	bench/run-soak $(RELEASE) $(SOAK_SECONDS)

lint: debug
	@run-clang-tidy -quiet -p $(DEBUG) -j2 '$(CURDIR)/src/.*\.cpp$$' > $(DEBUG)/lint.log 2>&1 || \
		{ grep -E 'error|warning|note' $(DEBUG)/lint.log; echo "make lint: clang-tidy found problems" >&2; exit 1; }
	@echo "clang-tidy: clean"
	@$(MAKE) --no-print-directory format-check

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
