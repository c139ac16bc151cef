# Tessaro: make run | make test | make package | make bench | make fuzz | make examples | make screenshots
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
CMAKE_FLAGS ?=

.PHONY: all deps configure build programs run test test-package package bench fuzz examples screenshots install clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	@bash scripts/install-deps.sh
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD)

# Only what `make run` and the package need: the editor and tessaro-cli, not
# the test programs and benchmarks.
programs: deps configure
	cmake --build $(BUILD) --target tessaro_programs

run: programs
	@if [ -x $(BUILD)/tessaro ]; then exec $(BUILD)/tessaro; \
	 else exec $(BUILD)/tessaro-cli --help; fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j 2

# The test that builds the .deb and checks it (label package), alone.
test-package: programs
	cd $(BUILD) && ctest --output-on-failure -L package

package: programs
	cd $(BUILD) && cpack -G DEB

bench: deps configure
	cmake --build $(BUILD) --target tessaro_bench
	$(BUILD)/tessaro_bench $(BENCH_ARGS)
	@if cmake --build $(BUILD) --target tessaro_window_bench >/dev/null 2>&1; then \
	  $(BUILD)/tessaro_window_bench $(BENCH_ARGS); fi

fuzz: deps
	@test -f $(FUZZ_BUILD)/build.ninja || CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	  -DTESSARO_FUZZ=ON -DTESSARO_GUI=OFF -DTESSARO_TESTS=OFF -DTESSARO_BENCH=OFF
	cmake --build $(FUZZ_BUILD)
	@set -e; for h in fuzz/*_fuzz.cpp; do n=$$(basename $$h .cpp); \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$n; cp -n fuzz/corpus/$$n/* $(FUZZ_BUILD)/corpus/$$n/ 2>/dev/null || true; \
	  echo "== $$n ($(FUZZ_SECONDS) s)"; \
	  $(FUZZ_BUILD)/$$n -max_total_time=$(FUZZ_SECONDS) -timeout=5 -rss_limit_mb=2048 \
	    $(FUZZ_BUILD)/corpus/$$n fuzz/corpus/$$n > $(FUZZ_BUILD)/$$n.log 2>&1 || { tail -n 30 $(FUZZ_BUILD)/$$n.log; exit 1; }; tail -n 2 $(FUZZ_BUILD)/$$n.log; \
	done

# The developer's programs behind these two are built here only, never installed.
examples: deps configure
	cmake --build $(BUILD) --target tessaro-make-examples
	$(BUILD)/tessaro-make-examples examples

screenshots: deps configure
	cmake --build $(BUILD) --target tessaro-screenshots
	bash scripts/screenshot.sh

install: programs
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
