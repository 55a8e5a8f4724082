BUILD ?= build
JOBS ?= $(shell nproc)
ARGS ?=

.PHONY: all deps configure build run test bench pdf-printer clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/tagforge $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The benchmark table, then the QR code sweep where it was built.
bench: build
	$(BUILD)/bench/tagforge_benchmark $(ARGS)
	if [ -x $(BUILD)/bench/qrsweep ]; then $(BUILD)/bench/qrsweep; fi

# A private PDF printer as the default printer in a shell; exit it to stop.
pdf-printer: build
	$(if $(filter 0,$(shell id -u)),,sudo) tests/cups/pdfprinter.sh shell --out $(abspath $(BUILD))/pdf-printer

clean:
	rm -rf $(BUILD)
