# Two commands a user needs: `make run` and `make test`. Both install what is
# missing, configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test sanitize fuzz bench format clean

setup:
	@./scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/corvane

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Every test below the window layer built with AddressSanitizer and UBSan.
sanitize: setup
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS) -LE ui

# Timings on 100,000 entries, the rename run against the bare system calls.
bench: build
	./$(BUILD)/corvane-bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-fuzz

# The tag parsers under libFuzzer, each for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCORVANE_FUZZ=ON -DCORVANE_WITH_UI=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	@for f in build-fuzz/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; \
	  mkdir -p build-fuzz/corpus/$$(basename $$f); \
	  echo "== $$f"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=1024 build-fuzz/corpus/$$(basename $$f) || exit 1; \
	done
