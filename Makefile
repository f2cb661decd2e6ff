# Two commands a user needs: `make run` and `make test`. Both install what is
# missing, configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build run test sanitize fuzz format clean

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

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-fuzz
